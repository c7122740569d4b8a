#include "outline_shape.h"

#include <QPainter>

namespace quadrell {

OutlineShape::OutlineShape(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void OutlineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quadrell
