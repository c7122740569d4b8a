#pragma once

#include <QCheckBox>
#include <QColor>

namespace quadrell {

// A bit box: a check box on a coloured background that toggles on a click anywhere in that
// coloured area, as a native check box does, not only on its square and caption.
class BitCheckBox : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

    // The background is painted by the box itself, so every style shows exactly this colour; the
    // caption is drawn in `text`. The square and its check mark stay the style's.
    void setColours(const QColor& back, const QColor& text);

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColour_;
};

}  // namespace quadrell
