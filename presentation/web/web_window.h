#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <emscripten/val.h>

#include "form_design.h"
#include "web_controls.h"
#include "window_view.h"

namespace quadrell {

// The Quadrell window as a web page: one native HTML element per row of the design table, built
// in the page's form element, and the WindowView a presenter shows the program in. It decides
// nothing: the page's listeners (dom_events.js) report what the user did through the three
// functions below, and it shows what the presenter tells it.
class WebWindow : public WindowView {
public:
    // Builds the controls inside `form`; `liveRegion` is where announcements are spoken from.
    WebWindow(emscripten::val form, emscripten::val liveRegion);

    // What the user did to the control in row `place` of the design table.
    void userClicks(std::size_t place);
    void userEdits(std::size_t place, const std::string& text);
    // The browser's colour scheme or forced colours changed.
    void desktopSchemeChanged();

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

private:
    static constexpr std::size_t ControlCount = design::Form1Controls.size();

    // The elements of `control`: handles, shared with the page, that a copy leaves the same.
    web::ControlElements elementsOf(const design::Control& control) const;

    std::vector<web::ControlElements> controls_;  // in the design table's order
    emscripten::val liveRegion_;
};

}  // namespace quadrell
