#include "web_window.h"

#include <array>
#include <cstdint>
#include <string>

#include "presenter.h"
#include "web_controls.h"

namespace quadrell {

namespace {

using emscripten::val;

std::string CssColour(Colour colour)
{
    constexpr const char* Hex = "0123456789abcdef";
    std::string text = "#";
    for (const std::uint8_t part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
        text += Hex[part >> 4];
        text += Hex[part & 0xF];
    }
    return text;
}

// A computed colour as browsers give it, "rgb(18, 18, 18)" or "rgba(18, 18, 18, 0.5)": its first
// three numbers.
Colour ParseComputedColour(const std::string& text)
{
    std::array<unsigned, 3> parts{};
    std::size_t part = 0;
    bool inNumber = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9' && part < parts.size()) {
            parts[part] = parts[part] * 10 + static_cast<unsigned>(c - '0');
            inNumber = true;
        } else if (inNumber) {
            inNumber = false;
            if (++part == parts.size())
                break;
        }
    }
    return static_cast<Colour>(parts[0] | parts[1] << 8 | parts[2] << 16);
}

// The colour the browser gives a CSS system colour ("Canvas", "ButtonText") as the page stands:
// light or dark as the reader prefers, or the forced palette of high contrast.
Colour SystemColour(val probe, const char* name)
{
    probe["style"].set("color", name);
    const val computed = val::global("getComputedStyle")(probe);
    return ParseComputedColour(computed["color"].as<std::string>());
}

bool MediaMatches(const char* query)
{
    return val::global("matchMedia")(std::string(query))["matches"].as<bool>();
}

}  // namespace

WebWindow::WebWindow(val form, val liveRegion) : liveRegion_(std::move(liveRegion))
{
    val document = val::global("document");
    val descriptions = document.call<val>("createElement", val("div"));
    descriptions.set("hidden", true);  // read by screen readers through aria-describedby only
    for (const design::Control& control : design::Form1Controls)
        controls_.push_back(web::MakeControl(form, descriptions, control));
    form.call<void>("append", descriptions);
    // The window's caption is the page's title and, for screen readers that list a page's
    // headings, its heading; the window shows none.
    const std::string caption(design::Form1.caption);
    document.set("title", caption);
    val heading = document.call<val>("createElement", val("h1"));
    heading.set("className", "heading");
    heading.set("textContent", caption);
    form.call<void>("prepend", heading);
    document["documentElement"].set("lang", design::LanguageOfLocale(userLocale()) == design::SpokenLanguage::Italian ? "it" : "en");
}

web::ControlElements WebWindow::elementsOf(const design::Control& control) const
{
    return controls_[design::PlaceOf(control)];
}

void WebWindow::userClicks(std::size_t place)
{
    if (presented() && place < ControlCount)
        presenter().userClicks(design::Form1Controls[place]);
}

void WebWindow::userEdits(std::size_t place, const std::string& text)
{
    if (presented() && place < ControlCount)
        presenter().userEdits(design::Form1Controls[place], text);
}

void WebWindow::desktopSchemeChanged()
{
    if (presented())
        presenter().desktopSchemeChanged();
}

std::string WebWindow::userLocale() const
{
    return val::global("navigator")["language"].as<std::string>();
}

NumberFormat WebWindow::userNumberFormat() const
{
    // The browser writes numbers as its language does: 1.5 in English, 1,5 in Italian.
    const val format = val::global("Intl")["NumberFormat"].new_(val(userLocale()));
    const val parts = format.call<val>("formatToParts", val(1.5));
    const int count = parts["length"].as<int>();
    for (int n = 0; n < count; ++n)
        if (parts[n]["type"].as<std::string>() == "decimal")
            return NumberFormat{parts[n]["value"].as<std::string>()};
    return NumberFormat{};
}

design::DesktopScheme WebWindow::desktopScheme() const
{
    val document = val::global("document");
    val probe = document.call<val>("createElement", val("span"));
    probe.set("hidden", true);
    document["body"].call<void>("append", probe);
    const design::SystemColours system{
        SystemColour(probe, "Canvas"),     SystemColour(probe, "CanvasText"), SystemColour(probe, "Field"),
        SystemColour(probe, "FieldText"),  SystemColour(probe, "ButtonFace"), SystemColour(probe, "ButtonText"),
        SystemColour(probe, "Highlight"),  SystemColour(probe, "HighlightText")};
    probe.call<void>("remove");
    return {system, MediaMatches("(forced-colors: active)")};
}

std::string WebWindow::shownText(const design::Control& control) const
{
    const val& native = elementsOf(control).native;
    return native[control.kind == design::Kind::TextEntry ? "value" : "textContent"].as<std::string>();
}

void WebWindow::showText(const design::Control& control, std::string_view text)
{
    elementsOf(control).native.set(control.kind == design::Kind::TextEntry ? "value" : "textContent",
                                           std::string(text));
}

void WebWindow::showChecked(const design::Control& box, bool checked)
{
    elementsOf(box).native.set("checked", checked);
}

void WebWindow::showColours(const design::Control& control, const design::ControlColours& colours)
{
    val style = elementsOf(control).area["style"];
    style.set("backgroundColor", CssColour(colours.background));
    style.set("color", CssColour(colours.text));
}

void WebWindow::showFrame(const design::Control& control, std::optional<Colour> colour)
{
    val style = elementsOf(control).area["style"];
    if (colour)
        style.set("borderColor", CssColour(*colour));
    else
        style.call<void>("removeProperty", val("border-color"));
}

void WebWindow::describe(const design::Control& control, std::string_view description)
{
    web::ControlElements elements = elementsOf(control);
    elements.description.set("textContent", std::string(description));
    if (description.empty())
        elements.native.call<void>("removeAttribute", val("aria-describedby"));
    else
        elements.native.call<void>("setAttribute", val("aria-describedby"), elements.description["id"]);
}

void WebWindow::nameAction(const design::Control&, std::string_view)
{
    // Browsers name a button's action themselves ("press" / "premi") in the reader's language;
    // a page has no way to rename it.
}

void WebWindow::announce(const design::Control&, std::string_view words)
{
    // A new element each time: a live region speaks what is added, so the same words twice in a
    // row (two presses of "Cancella") are spoken twice. Only the latest stays.
    val said = val::global("document").call<val>("createElement", val("p"));
    said.set("textContent", std::string(words));
    liveRegion_.call<void>("replaceChildren", said);
}

}  // namespace quadrell
