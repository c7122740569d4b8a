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

Colour OutlineColourOf(Colour designed, const DesktopScheme& scheme)
{
    if (scheme.highContrast || ContrastRatio(designed, scheme.system.window) < VisibleLineContrast)
        return scheme.system.windowText;
    return designed;
}

}  // namespace quadrell::design
