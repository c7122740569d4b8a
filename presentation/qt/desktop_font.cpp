#include "desktop_font.h"

#include <string_view>

#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>

#include "coloured_button.h"
#include "font_fit.h"
#include "form_design.h"
#include "qt_design.h"

namespace quadrell {

namespace {

// A line edit keeps one pixel above and below its text inside its frame.
constexpr int LineEditVerticalMargin = 1;

// The room `control` leaves for its text inside what the style draws round it.
design::TextExtent RoomOf(const design::Control& control, const QStyle& style)
{
    const QRect bounds = ToQRect(control.bounds);
    int width = bounds.width();
    int height = bounds.height();
    switch (control.kind) {
    case design::Kind::CheckBox:
        width -= style.pixelMetric(QStyle::PM_IndicatorWidth) + style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        break;
    case design::Kind::PushButton:
        // The caption stays clear of the button's painted edge.
        width -= 2 * (ColouredButton::EdgeWidth + 1);
        height -= 2 * ColouredButton::EdgeWidth;
        break;
    case design::Kind::TextEntry: {
        const int frame = style.pixelMetric(QStyle::PM_DefaultFrameWidth);
        width -= 2 * frame;
        height -= 2 * (frame + LineEditVerticalMargin);
        break;
    }
    case design::Kind::Label:
    case design::Kind::Shape: break;
    }
    return {width, height};
}

// The desktop's size in points, also when the platform theme gave it in pixels.
double PointsOf(const QFont& font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return QFontInfo(font).pointSizeF();
}

}  // namespace

QFont FittedDesktopFont(const QFont& desktop, const QStyle& style)
{
    const auto fits = [&](double points) {
        QFont font = desktop;
        font.setPointSizeF(points);
        const QFontMetrics metrics(font);
        return design::WidestTextsFit(
            [&](std::string_view text) { return design::TextExtent{metrics.horizontalAdvance(ToQString(text)), metrics.height()}; },
            [&](const design::Control& control) { return RoomOf(control, style); });
    };
    QFont fitted = desktop;
    fitted.setPointSizeF(design::FittedPointSize(PointsOf(desktop), fits));
    return fitted;
}

}  // namespace quadrell
