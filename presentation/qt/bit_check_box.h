#pragma once

#include <QCheckBox>

namespace quadrell {

// A bit box that toggles on a click anywhere in its coloured area, as a native check box does,
// not only on its square and caption.
class BitCheckBox : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace quadrell
