#pragma once

#include <string_view>

#include <windows.h>

namespace quadrell::win32 {

// The columns a text's glyphs actually mark, relative to where it is drawn from.
struct InkColumns {
    int left = 0;
    int width = 0;
};

// Draws `text` in `font` off screen and reads back which columns it inks. A font's advances can
// exceed its glyphs by a pixel a letter (small sizes of an outline face drawn from embedded
// bitmaps), so only the drawing itself tells where the caption's ink lies.
InkColumns InkOf(HFONT font, std::wstring_view text);

}  // namespace quadrell::win32
