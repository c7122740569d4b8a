#include "outline_shape.h"

#include <QPainter>

namespace quadrell {

OutlineShape::OutlineShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void OutlineShape::setColour(const QColor& colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void OutlineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quadrell
