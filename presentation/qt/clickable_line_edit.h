#pragma once

#include <QLineEdit>

namespace quadrell {

// A line edit that reports a click of the left mouse button inside it. Focus arriving by the
// keyboard is not a click.
class ClickableLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void mouseClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace quadrell
