#include "colour_policy.h"

#include "contrast.h"

namespace quadrell::design {

namespace {

ControlColours SystemColoursOf(Kind kind, const SystemColours& system)
{
    switch (kind) {
    case Kind::TextEntry: return {system.entry, system.entryText};
    case Kind::PushButton: return {system.button, system.buttonText};
    case Kind::CheckBox:
    case Kind::Label:
    case Kind::Shape: break;
    }
    return {system.window, system.windowText};
}

Colour Halfway(Colour a, Colour b)
{
    const auto mid = [](std::uint8_t x, std::uint8_t y) { return static_cast<Colour>((x + y + 1) / 2); };
    return mid(RedOf(a), RedOf(b)) | mid(GreenOf(a), GreenOf(b)) << 8 | mid(BlueOf(a), BlueOf(b)) << 16;
}

}  // namespace

ControlColours ColoursOf(const Control& control, std::optional<Colour> designed, const DesktopScheme& scheme)
{
    if (scheme.highContrast) {
        if (control.kind == Kind::CheckBox && designed == SplitColour)
            return {scheme.system.highlight, scheme.system.highlightText};
        return SystemColoursOf(control.kind, scheme.system);
    }
    if (designed)
        return {*designed, DesignedTextColour};
    return SystemColoursOf(control.kind, scheme.system);
}

ControlColours ColoursShown(const Control& control, const WindowState& state, const DesktopScheme& scheme)
{
    const std::optional<Colour> designed
        = control.kind == Kind::CheckBox ? std::optional(state.box(control.index).backColour) : control.background;
    return ColoursOf(control, designed, scheme);
}

Colour OutlineColourOf(Colour designed, const DesktopScheme& scheme)
{
    if (scheme.highContrast || ContrastRatio(designed, scheme.system.window) < VisibleLineContrast)
        return scheme.system.windowText;
    return designed;
}

std::optional<Colour> EntryFrameColourOf(const DesktopScheme& scheme)
{
    const SystemColours& system = scheme.system;
    const bool darkWindow = ContrastRatio(system.window, 0x000000) < ContrastRatio(system.windowText, 0x000000);
    if (scheme.highContrast || !darkWindow)
        return std::nullopt;
    return Halfway(system.window, system.windowText);
}

}  // namespace quadrell::design
