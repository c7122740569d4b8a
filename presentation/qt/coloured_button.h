#pragma once

#include <QColor>
#include <QPushButton>

namespace quadrell {

// A push button that shows its own face colour under every style, drawn as design::ButtonLookOf
// says. Styles paint their own gradients over a palette colour, so the button paints itself.
class ColouredButton : public QPushButton {
    Q_OBJECT

public:
    // The width of the painted edge, in pixels.
    static constexpr int EdgeWidth = 1;

    ColouredButton(const QString& text, QWidget* parent);

    void setColours(const QColor& face, const QColor& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
};

}  // namespace quadrell
