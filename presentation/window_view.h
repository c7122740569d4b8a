#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "colour.h"
#include "colour_policy.h"
#include "form_design.h"
#include "number_format.h"

namespace quadrell {

class Presenter;

// What only a toolkit can do for the window: build and paint native controls, tell screen readers,
// and read the desktop's settings. A window implements this and nothing more. Every control is a row
// of the design table; the presenter decides what each shows, when, and in which words, and the
// window's event handlers only report what the user did, through presenter().
class WindowView {
public:
    virtual ~WindowView() = default;

    // The desktop, as the toolkit reads it.
    virtual std::string userLocale() const = 0;           // the language of the user's messages: "it_IT.UTF-8", "en-GB"
    virtual NumberFormat userNumberFormat() const = 0;    // how the user's regional settings write numbers
    virtual design::DesktopScheme desktopScheme() const = 0;

    // What a control shows.
    virtual std::string shownText(const design::Control& control) const = 0;  // an entry's or a label's text
    virtual void showText(const design::Control& control, std::string_view text) = 0;
    virtual void showChecked(const design::Control& box, bool checked) = 0;
    virtual void showColours(const design::Control& control, const design::ControlColours& colours) = 0;
    // The line drawn round a control: a shape's outline, or an entry's frame (none: the style's own).
    virtual void showFrame(const design::Control& control, std::optional<Colour> colour) = 0;

    // What screen readers hear: a control's description, a button's action name, and words said
    // once, now, without moving the focus (`acting` is the control the user acted on).
    virtual void describe(const design::Control& control, std::string_view description) = 0;
    virtual void nameAction(const design::Control& button, std::string_view actionName) = 0;
    virtual void announce(const design::Control& acting, std::string_view words) = 0;

protected:
    // Where the window's event handlers report the user's actions; set while a presenter shows it.
    Presenter& presenter() const { return *presenter_; }
    bool presented() const { return presenter_ != nullptr; }

private:
    friend class Presenter;
    Presenter* presenter_ = nullptr;
};

}  // namespace quadrell
