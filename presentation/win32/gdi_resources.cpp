#include "gdi_resources.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

#include "designed_face.h"
#include "dialog_font.h"
#include "text_conversion.h"

namespace quadrell::win32 {

namespace {

// The outline face that took the classic bitmap face's place in Windows; under Wine the font
// mapper answers it with a metric-compatible sans.
constexpr wchar_t OutlineSansFace[] = L"Microsoft Sans Serif";

void SetFace(LOGFONTW& description, std::wstring_view face)
{
    std::fill(std::begin(description.lfFaceName), std::end(description.lfFaceName), L'\0');
    face.substr(0, LF_FACESIZE - 1).copy(description.lfFaceName, LF_FACESIZE - 1);
}

// The character height, in pixels, of a bitmap font; 0 for an outline font, which has every size.
int BitmapCharacterHeight(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    if (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE))
        return 0;
    return metrics.tmHeight - metrics.tmInternalLeading;
}

int CALLBACK AddDrawnSize(const LOGFONTW*, const TEXTMETRICW* metrics, DWORD type, LPARAM sizes)
{
    // A bitmap face is listed once for every size it is drawn in.
    if (type & RASTER_FONTTYPE)
        reinterpret_cast<std::vector<int>*>(sizes)->push_back(metrics->tmHeight - metrics->tmInternalLeading);
    return 1;
}

// The character heights, in pixels, a bitmap face is drawn in.
std::vector<int> DrawnSizes(HDC dc, std::wstring_view face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    SetFace(wanted, face);
    std::vector<int> sizes;
    EnumFontFamiliesExW(dc, &wanted, AddDrawnSize, reinterpret_cast<LPARAM>(&sizes), 0);
    return sizes;
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

HFONT GdiResources::createFont(const design::Font& font)
{
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a point size measures.
    const int asked = static_cast<int>(std::lround(font.points * dotsPerInch_ / 72.0));
    description.lfHeight = -asked;
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;  // a similar sans face where it is missing
    SetFace(description, Widen(font.face));
    HFONT made = CreateFontIndirectW(&description);
    if (font.face != design::ClassicFace)
        return made;

    // The classic face is a bitmap one, drawn in a few sizes for one scale: it keeps a text only
    // where the font mapper answers the size asked with a size it is drawn in, near enough.
    HDC dc = CreateCompatibleDC(nullptr);
    const int given = BitmapCharacterHeight(dc, made);
    if (given && classicSizes_.empty())
        classicSizes_ = DrawnSizes(dc, description.lfFaceName);
    DeleteDC(dc);
    if (!given || design::BitmapSizeServes(asked, given, classicSizes_))
        return made;
    DeleteObject(made);
    description.lfOutPrecision = OUT_TT_PRECIS;
    SetFace(description, OutlineSansFace);
    return CreateFontIndirectW(&description);
}

int GdiResources::pixels(int twips) const
{
    return design::ToPixels(twips, dotsPerInch_);
}

}  // namespace quadrell::win32
