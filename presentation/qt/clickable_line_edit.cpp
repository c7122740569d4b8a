#include "clickable_line_edit.h"

#include <QMouseEvent>
#include <QPainter>

namespace quadrell {

void ClickableLineEdit::setFrameColour(std::optional<QColor> colour)
{
    if (colour == frameColour_)
        return;
    frameColour_ = colour;
    update();
}

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A click is a press and a release of the left button that ends inside the entry.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit mouseClicked();
}

void ClickableLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    // With the focus, the style's highlighted frame shows on any window.
    if (!frameColour_ || hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(*frameColour_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quadrell
