#include "bit_check_box.h"

#include <QPainter>

namespace quadrell {

void BitCheckBox::setColours(const QColor& back, const QColor& text)
{
    // Set even when the colour is already the same: a colour merely inherited would follow the
    // desktop's next palette.
    if (palette().color(QPalette::WindowText) != text || !palette().isBrushSet(QPalette::Active, QPalette::WindowText)) {
        QPalette captionPalette = palette();
        captionPalette.setColor(QPalette::WindowText, text);
        setPalette(captionPalette);
    }
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
