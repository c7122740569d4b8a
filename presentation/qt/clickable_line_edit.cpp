#include "clickable_line_edit.h"

#include <QMouseEvent>

namespace quadrell {

void ClickableLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A click is a press and a release of the left button that ends inside the entry.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit mouseClicked();
}

}  // namespace quadrell
