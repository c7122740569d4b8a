#include "narration.h"

#include "window_state.h"

namespace quadrell::design {

int SplitCount(const WindowState& state)
{
    int count = 0;
    while (count < BoxCount && state.box(count).backColour == SplitColour)
        ++count;
    return count;
}

SplitPlace SplitPlaceOf(const WindowState& state, int k)
{
    const int count = SplitCount(state);
    if (count == 0)
        return SplitPlace::NoSplit;
    return k < count ? SplitPlace::Inside : SplitPlace::Outside;
}

std::string DescriptionOf(SpokenLanguage language, const WindowState& state, const Control& control)
{
    if (control.kind == Kind::CheckBox)
        return BitBoxDescription(language, control.index, SplitPlaceOf(state, control.index));
    return std::string(ControlDescription(language, control.name));
}

std::string AnnouncementOf(SpokenLanguage language, const WindowState& state, UserAction action)
{
    switch (action) {
    case UserAction::ClicksBox:
    case UserAction::EditsText1:
    case UserAction::ClicksText1:
    case UserAction::ClicksCommand1: return ByteOutcome(language, state.label1(), state.label3());
    case UserAction::EditsText2: return SplitOutcome(language, SplitCount(state));
    }
    return {};
}

}  // namespace quadrell::design
