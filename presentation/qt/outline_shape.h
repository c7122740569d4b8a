#pragma once

#include <QColor>
#include <QWidget>

namespace quadrell {

// A rectangle's outline with a transparent inside. It takes neither focus nor mouse input, so
// the controls it frames stay reachable.
class OutlineShape : public QWidget {
    Q_OBJECT

public:
    explicit OutlineShape(QWidget* parent);

    void setColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

}  // namespace quadrell
