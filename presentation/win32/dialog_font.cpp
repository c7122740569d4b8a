#include "dialog_font.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display_dpi.h"
#include "font_fit.h"
#include "form_design.h"
#include "text_conversion.h"

namespace quadrell::win32 {

namespace {

// The desktop's dialog font, whose height is given at the system's resolution.
LOGFONTW DesktopDialogFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = FW_NORMAL;
    return font;
}

// What a control draws around its caption, in pixels: a check box its box and the gap after it,
// an entry and a button their edges.
SIZE ChromeOf(design::Kind kind, int dotsPerInch)
{
    const int edgeX = MetricAt(SM_CXEDGE, dotsPerInch);
    const int edgeY = MetricAt(SM_CYEDGE, dotsPerInch);
    switch (kind) {
    case design::Kind::CheckBox: return {MetricAt(SM_CXMENUCHECK, dotsPerInch) + 2 * edgeX, 0};
    case design::Kind::TextEntry:
    case design::Kind::PushButton: return {2 * edgeX, 2 * edgeY};
    case design::Kind::Label:
    case design::Kind::Shape: break;
    }
    return {0, 0};
}

// Whether every control without a font of its own shows its widest text whole in `font`.
bool WidestTextsFit(HDC dc, HFONT font, int dotsPerInch)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const bool fit = design::WidestTextsFit(
        [&](std::string_view text) {
            const std::wstring wide = Widen(text);
            SIZE extent{0, 0};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
            return design::TextExtent{extent.cx, metrics.tmHeight};
        },
        [&](const design::Control& control) {
            const SIZE chrome = ChromeOf(control.kind, dotsPerInch);
            return design::TextExtent{design::ToPixels(control.bounds.width, dotsPerInch) - chrome.cx,
                                      design::ToPixels(control.bounds.height, dotsPerInch) - chrome.cy};
        });
    SelectObject(dc, old);
    return fit;
}

}  // namespace

HFONT CreateDialogFont(int dotsPerInch)
{
    LOGFONTW font = DesktopDialogFont();
    const double desktopPoints = std::abs(font.lfHeight) * 72.0 / SystemDpi();
    const auto createAt = [&](double points) {
        font.lfHeight = -static_cast<LONG>(std::lround(points * dotsPerInch / 72.0));
        return CreateFontIndirectW(&font);
    };

    HDC dc = CreateCompatibleDC(nullptr);
    HFONT measured = nullptr;
    double measuredPoints = 0;
    const double points = design::FittedPointSize(desktopPoints, [&](double candidate) {
        if (measured)
            DeleteObject(measured);
        measured = createAt(candidate);
        measuredPoints = candidate;
        return WidestTextsFit(dc, measured, dotsPerInch);
    });
    DeleteDC(dc);
    if (measured && measuredPoints == points)
        return measured;
    if (measured)
        DeleteObject(measured);
    return createAt(points);
}

}  // namespace quadrell::win32
