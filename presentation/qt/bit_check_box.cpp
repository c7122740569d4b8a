#include "bit_check_box.h"

#include <QPainter>

#include "qt_design.h"

namespace quadrell {

void BitCheckBox::setColours(const QColor& back, const QColor& text)
{
    SetOwnColours(this, {{QPalette::WindowText, text}});
    if (back != backColour_) {
        backColour_ = back;
        update();
    }
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
