#pragma once

#include <string>
#include <string_view>

#include "form_design.h"

namespace quadrell::design {

// The words a screen reader hears beyond the captions, written once for every front end. Captions
// and shown texts are the design's own in every language; these describe what they mean.
enum class SpokenLanguage { English, Italian };

// The language of a locale name or tag as systems write them: "it_IT.UTF-8", "it-IT", "it",
// "C". Italian for Italian locales; English for every other or none.
SpokenLanguage LanguageOfLocale(std::string_view locale);

// The locale a POSIX system's messages follow, from its environment: the first entry of
// LANGUAGE's colon-separated list, then LC_ALL, LC_MESSAGES and LANG; the first that is set wins.
std::string_view MessagesLocale(std::string_view language, std::string_view lcAll, std::string_view lcMessages,
                                std::string_view lang);

// Where a bit box lies: no split is marked, or the box lies inside or outside the split.
enum class SplitPlace { NoSplit, Inside, Outside };

// A bit box's description: its weight and, while a split is marked, whether the box lies in it,
// "Bit of weight 128, in the split". Whether it is checked is the box's own state, which screen
// readers say by themselves.
std::string BitBoxDescription(SpokenLanguage language, int k, SplitPlace place);

// The byte as the two displays show it, "Binary 00000101, decimal 5". The decimal display is
// empty at 0, so that is said as what it means.
std::string ByteOutcome(SpokenLanguage language, std::string_view binary, std::string_view decimal);

// How many leading bits the split marks, from 0 to 8: "The first 3 bits are in the split".
std::string SplitOutcome(SpokenLanguage language, int count);

// What a control shows, for the controls whose shown text alone does not say it: the binary and
// the decimal display. Empty for every other control.
std::string_view ControlDescription(SpokenLanguage language, Name control);

// The name of a push button's action, as a screen reader offers it: "Press".
std::string_view PressActionName(SpokenLanguage language);

}  // namespace quadrell::design
