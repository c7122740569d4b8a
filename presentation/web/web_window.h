#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dom.h"
#include "form_design.h"
#include "page_markup.h"
#include "window_view.h"

namespace quadrell {

// The Quadrell window as a web page: one native HTML element per row of the design table, built
// in the page's form element, and the WindowView a presenter shows the program in. It decides
// nothing: the page's listeners (dom_events.js) report what the user did through the functions
// below, and it shows what the presenter tells it.
class WebWindow : public WindowView {
public:
    // Builds the controls for the element `form`; `liveRegion` is where announcements are
    // spoken from.
    WebWindow(web::Node form, web::Node liveRegion);
    // Puts the controls in the page, as the program behind them shows them, and focuses the first.
    void show();

    // What the user did to the control in row `place` of the design table.
    void userClicks(std::size_t place);
    void userEdits(std::size_t place, const std::string& text);
    // The browser's colour scheme or forced colours changed.
    void desktopSchemeChanged();

    // Reads the browser's number format, if it has not been read yet, and tells `changed`.
    // Browsers take tens of milliseconds to start their number formatting, so the page opens
    // without it and reads it once the first frame is drawn, or at the user's first edit if that
    // comes sooner. No number is read before: the displays only ever show whole numbers.
    void readNumberFormat();
    void whenNumberFormatRead(std::function<void()> changed) { numberFormatRead_ = std::move(changed); }

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
    const web::ControlElements& elementsOf(const design::Control& control) const;

    web::Node form_;
    web::Node controlsToShow_;
    std::vector<web::ControlElements> controls_;  // in the design table's order
    web::Node liveRegion_;
    bool markNextAnnouncement_ = false;
    std::string language_;
    std::optional<NumberFormat> numberFormat_;
    std::function<void()> numberFormatRead_;
};

}  // namespace quadrell
