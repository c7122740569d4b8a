#include "gdi_resources.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "dialog_font.h"
#include "text_conversion.h"

namespace quadrell::win32 {

namespace {

// The outline face that took the classic bitmap face's place in Windows; under Wine the font
// mapper answers it with a metric-compatible sans.
constexpr wchar_t OutlineSansFace[] = L"Microsoft Sans Serif";

// The classic bitmap faces are drawn for 96 and 120 dots per inch, in a few pixel sizes. On a
// screen of a finer scale they no longer give the designed sizes (the font mapper keeps a smaller
// bitmap, or stretches one), so there the same size comes from an outline face.
constexpr int FinestBitmapDpi = 120;

void SetFace(LOGFONTW& description, std::wstring_view face)
{
    std::fill(std::begin(description.lfFaceName), std::end(description.lfFaceName), L'\0');
    face.substr(0, LF_FACESIZE - 1).copy(description.lfFaceName, LF_FACESIZE - 1);
}

}  // namespace

GdiResources::GdiResources(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}

GdiResources::~GdiResources()
{
    for (const auto& [colour, brush] : brushes_)
        DeleteObject(brush);
    for (const auto& [design, font] : fonts_)
        DeleteObject(font);
    if (dialogFont_)
        DeleteObject(dialogFont_);
}

HBRUSH GdiResources::brush(Colour colour)
{
    auto found = brushes_.find(colour);
    if (found == brushes_.end())
        found = brushes_.emplace(colour, CreateSolidBrush(colour)).first;  // COLORREF is 0x00BBGGRR too
    return found->second;
}

HFONT GdiResources::font(const design::Font& font)
{
    for (const auto& [design, made] : fonts_)
        if (design == font)
            return made;
    fonts_.emplace_back(font, createFont(font));
    return fonts_.back().second;
}

HFONT GdiResources::dialogFont()
{
    if (!dialogFont_)
        dialogFont_ = CreateDialogFont(dotsPerInch_);
    return dialogFont_;
}

HFONT GdiResources::createFont(const design::Font& font) const
{
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a point size measures.
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * dotsPerInch_ / 72.0));
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;  // a similar sans face where it is missing
    SetFace(description, Widen(font.face));
    if (dotsPerInch_ > FinestBitmapDpi && font.face == design::ClassicFace) {
        description.lfOutPrecision = OUT_TT_PRECIS;
        SetFace(description, OutlineSansFace);
    }
    return CreateFontIndirectW(&description);
}

int GdiResources::pixels(int twips) const
{
    return design::ToPixels(twips, dotsPerInch_);
}

}  // namespace quadrell::win32
