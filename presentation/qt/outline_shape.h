#pragma once

#include <QColor>
#include <QWidget>

namespace quadrell {

// A rectangle's outline with a transparent inside. It takes neither focus nor mouse input, so
// the controls it frames stay reachable.
class OutlineShape : public QWidget {
    Q_OBJECT

public:
    OutlineShape(const QColor& colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

}  // namespace quadrell
