#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace quadrell {

// A notification of the window's, seen only by screen readers: it has no widget and nothing on
// the screen, only the words it carries. Showing it makes screen readers speak them.
class SpokenNotice : public QAccessibleInterface {
public:
    explicit SpokenNotice(QWidget* window) : window_(window) {}

    void setWords(const QString& words) { words_ = words; }

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override { return kind == QAccessible::Name ? words_ : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> window_;
    QString words_;
};

}  // namespace quadrell
