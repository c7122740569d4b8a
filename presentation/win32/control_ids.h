#pragma once

#include "form_design.h"

namespace quadrell::win32 {

// Each control's child-window identifier: its place in the design table plus a base, so that the
// eight bit boxes are 100 to 107, then Label1, Text1, Text2, Label2, Command1, Label3, Label4.
// Accessibility tools and tests find the controls by these, as in any dialog.
inline constexpr int FirstControlId = 100;

constexpr int ControlId(design::Name name, int index = 0)
{
    for (std::size_t at = 0; at < design::Form1Controls.size(); ++at)
        if (design::Form1Controls[at].name == name && design::Form1Controls[at].index == index)
            return FirstControlId + static_cast<int>(at);
    return 0;
}

// The control whose identifier is `id`; nullptr for any other window.
constexpr const design::Control* ControlOfId(int id)
{
    const int at = id - FirstControlId;
    if (at < 0 || at >= static_cast<int>(design::Form1Controls.size()))
        return nullptr;
    return &design::Form1Controls[static_cast<std::size_t>(at)];
}

inline constexpr wchar_t WindowClassName[] = L"QuadrellForm1";

}  // namespace quadrell::win32
