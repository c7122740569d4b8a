#include "coloured_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include "button_look.h"
#include "qt_design.h"

namespace quadrell {

ColouredButton::ColouredButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void ColouredButton::setColours(const QColor& face, const QColor& text)
{
    SetOwnColours(this, {{QPalette::ButtonText, text}});
    if (face != face_) {
        face_ = face;
        update();
    }
}

void ColouredButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    const design::ButtonLook look = design::ButtonLookOf(isDown());
    qDrawShadePanel(&painter, rect(), palette(), look.edge == design::Edge::Sunk, EdgeWidth);

    const int shift = look.captionShift;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(design::FocusInset, design::FocusInset, -design::FocusInset, -design::FocusInset);
        focus.backgroundColor = face_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace quadrell
