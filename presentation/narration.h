#pragma once

#include <string>

#include "form_design.h"
#include "spoken_words.h"

namespace quadrell {
class WindowState;
}

namespace quadrell::design {

// What the user did, as a front end delivers it to the window state.
enum class UserAction { ClicksBox, EditsText1, ClicksText1, EditsText2, ClicksCommand1 };

// How many leading boxes the split marks: those painted in the split colour.
int SplitCount(const WindowState& state);

// Where box k lies with respect to the split.
SplitPlace SplitPlaceOf(const WindowState& state, int k);

// What a control says about itself beyond its caption, as the state stands: a bit box its weight
// and place in the split, a display what it shows; nothing for the other controls.
std::string DescriptionOf(SpokenLanguage language, const WindowState& state, const Control& control);

// What a screen reader is told once an action's handlers have all run, by the control that has the
// focus: the byte after a click of a box (the reader has said "checked" by then, but not what the
// byte now is), an edit of the decimal entry, a click in it or "Cancella"; the split after an edit
// of its count.
std::string AnnouncementOf(SpokenLanguage language, const WindowState& state, UserAction action);

}  // namespace quadrell::design
