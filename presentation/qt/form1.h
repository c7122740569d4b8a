#pragma once

#include <array>
#include <memory>

#include <QWidget>

#include "form_design.h"
#include "window_view.h"

namespace quadrell {

class Announcer;

// The Quadrell window: a native Qt widget for each control of the design, painted and spoken as
// its presenter says. Its event handlers only report the user's clicks and edits to the presenter.
class Form1 : public QWidget, public WindowView {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // WindowView
    std::string userLocale() const override;
    NumberFormat userNumberFormat() const override;
    design::DesktopScheme desktopScheme() const override;
    std::string shownText(const design::Control& control) const override;
    void showText(const design::Control& control, std::string_view text) override;
    void showChecked(const design::Control& box, bool checked) override;
    void showColours(const design::Control& control, const design::ControlColours& colours) override;
    void showFrame(const design::Control& control, std::optional<Colour> colour) override;
    void describe(const design::Control& control, std::string_view description) override;
    void nameAction(const design::Control& button, std::string_view actionName) override;
    void announce(const design::Control& acting, std::string_view words) override;

signals:
    // Screen readers were told these words, the outcome of the user's last action.
    void announced(const QString& words);

private:
    QWidget* createControl(const design::Control& control);
    QWidget* createBitBox(const design::Control& control);
    QWidget* createLabel(const design::Control& control);
    QWidget* createEntry(const design::Control& control);
    QWidget* createButton(const design::Control& control);
    void linkEntriesToCaptions();
    void chainFocusOrder();

    // The desktop's colours and font: a new theme, a dark style or another default font repaint the
    // controls at once.
    void changeEvent(QEvent* event) override;
    void applyDesktopFont();

    QWidget* widget(const design::Control& control) const { return widgets_[design::PlaceOf(control)]; }
    template <typename Widget>
    Widget* widget(const design::Control& control) const
    {
        return static_cast<Widget*>(widget(control));
    }

    // One widget per row of the design table, in its order.
    std::array<QWidget*, design::Form1Controls.size()> widgets_{};
    std::unique_ptr<Announcer> announcer_;
};

}  // namespace quadrell
