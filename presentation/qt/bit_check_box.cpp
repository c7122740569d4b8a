#include "bit_check_box.h"

#include <QPainter>

namespace quadrell {

void BitCheckBox::setBackColour(const QColor& colour)
{
    if (colour == backColour_)
        return;
    backColour_ = colour;
    update();
}

void BitCheckBox::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), backColour_);
    }
    QCheckBox::paintEvent(event);
}

}  // namespace quadrell
