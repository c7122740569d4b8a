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

// Whether the font the mapper chose is drawn for this screen: an outline face at any size, a
// bitmap face only at the resolution its bitmaps were drawn for. Elsewhere a bitmap face keeps
// its few pixel sizes, or is stretched, and its text no longer grows with the screen's scale.
bool DrawnForScreen(HFONT font, int dotsPerInch)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0 || metrics.tmDigitizedAspectY == dotsPerInch;
}

void SetFace(LOGFONTW& description, std::wstring_view face)
{
    std::fill(std::begin(description.lfFaceName), std::end(description.lfFaceName), L'\0');
    face.substr(0, LF_FACESIZE - 1).copy(description.lfFaceName, LF_FACESIZE - 1);
}

bool SameFont(const design::Font& a, const design::Font& b)
{
    return a.face == b.face && a.points == b.points && a.bold == b.bold;
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
        if (SameFont(design, font))
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
    HFONT created = CreateFontIndirectW(&description);
    if (DrawnForScreen(created, dotsPerInch_))
        return created;
    // The same size from an outline face.
    DeleteObject(created);
    description.lfOutPrecision = OUT_TT_PRECIS;
    SetFace(description, OutlineSansFace);
    return CreateFontIndirectW(&description);
}

int GdiResources::pixels(int twips) const
{
    return design::ToPixels(twips, dotsPerInch_);
}

}  // namespace quadrell::win32
