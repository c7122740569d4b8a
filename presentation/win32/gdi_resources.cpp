#include "gdi_resources.h"

#include <cmath>

#include "text_conversion.h"

namespace quadrell::win32 {

GdiResources::GdiResources(int dotsPerInch) : dotsPerInch_(dotsPerInch)
{
    // The system's dialog font, at regular weight, for controls that have no font of their own.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfWeight = FW_NORMAL;
        dialogFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (!dialogFont_)
        dialogFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

GdiResources::~GdiResources()
{
    for (const auto& [colour, brush] : brushes_)
        DeleteObject(brush);
    for (HFONT font : fonts_)
        DeleteObject(font);
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
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a point size measures.
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * dotsPerInch_ / 72.0));
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;  // a similar sans face where it is missing
    const std::wstring face = Widen(font.face);
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&description);
    fonts_.push_back(created);
    return created;
}

int GdiResources::pixels(int twips) const
{
    return design::ToPixels(twips, dotsPerInch_);
}

}  // namespace quadrell::win32
