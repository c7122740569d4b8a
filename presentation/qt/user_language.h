#pragma once

#include "spoken_words.h"

namespace quadrell {

// The language the user's messages are in, from the environment as POSIX systems set it.
design::SpokenLanguage UserSpokenLanguage();

}  // namespace quadrell
