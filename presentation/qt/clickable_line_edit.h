#pragma once

#include <optional>

#include <QColor>
#include <QLineEdit>

namespace quadrell {

// A line edit that reports a click of the left mouse button inside it, and can draw a frame of a
// given colour where the style's own would not show. Focus arriving by the keyboard is not a click.
class ClickableLineEdit : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    void setFrameColour(std::optional<QColor> colour);

signals:
    void mouseClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QColor> frameColour_;
};

}  // namespace quadrell
