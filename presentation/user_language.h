#pragma once

#include "spoken_words.h"

namespace quadrell {

// The language the user's messages are in, as the system keeps it: on Linux the environment as
// POSIX systems set it, on Windows the user's interface language. Each window defines it in its
// own user_language.cpp; it is read once, since a running program's settings do not change.
design::SpokenLanguage UserSpokenLanguage();

}  // namespace quadrell
