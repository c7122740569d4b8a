#include "desktop_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>

#include "coloured_button.h"
#include "font_fit.h"
#include "form_design.h"
#include "qt_design.h"

namespace quadrell {

namespace {

// What a split entry shows: a count of boxes, one digit.
constexpr char SplitCountSample[] = "8";

// A line edit keeps one pixel above and below its text inside its frame.
constexpr int LineEditVerticalMargin = 1;

// Whether `control`'s caption, in `font`, lies wholly inside the control's area.
bool CaptionFits(const design::Control& control, const QFontMetrics& metrics, const QStyle& style)
{
    const QRect bounds = ToQRect(control.bounds);
    const QString caption = ToQString(control.caption);
    int width = bounds.width();
    int height = bounds.height();
    QString text = caption;
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
        text = SplitCountSample;
        break;
    }
    case design::Kind::Label:
    case design::Kind::Shape: break;
    }
    return metrics.horizontalAdvance(text) <= width && metrics.height() <= height;
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
        for (const design::Control& control : design::Form1Controls)
            if (design::TakesDesktopFont(control) && !CaptionFits(control, metrics, style))
                return false;
        return true;
    };
    QFont fitted = desktop;
    fitted.setPointSizeF(design::FittedPointSize(PointsOf(desktop), fits));
    return fitted;
}

}  // namespace quadrell
