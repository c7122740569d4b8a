#include "coloured_button.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

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
    qDrawShadePanel(&painter, rect(), palette(), isDown(), EdgeWidth);

    const int shift = isDown() ? 1 : 0;  // the caption moves with a pressed face
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = face_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace quadrell
