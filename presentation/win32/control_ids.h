#pragma once

#include "form_design.h"

namespace quadrell::win32 {

// Each control's child-window identifier: its place in the design table plus a base, so that the
// controls are numbered from 100 in the table's order. Accessibility tools and tests find the
// controls by these, as in any dialog.
inline constexpr int FirstControlId = 100;

constexpr int ControlId(design::Name name, int index = 0)
{
    return FirstControlId + static_cast<int>(design::PlaceOf(name, index));
}

constexpr int ControlId(const design::Control& control)
{
    return ControlId(control.name, control.index);
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
