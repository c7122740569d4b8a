#include "web_window.h"

#include <array>
#include <cstdint>
#include <string>

#include "presenter.h"

namespace quadrell {

namespace {

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

}  // namespace

WebWindow::WebWindow(web::Node form, web::Node liveRegion)
    : form_(form), controlsToShow_(web::ParseMarkup(web::FormMarkup())), liveRegion_(liveRegion),
      language_(web::BrowserLanguage())
{
    // The controls are put together aside and join the page at once, in show().
    for (const design::Control& control : design::Form1Controls)
        controls_.push_back(web::FindControl(controlsToShow_, control));
    web::SetProperty(web::Document(), "title", std::string(design::Form1.caption));
    const bool italian = design::LanguageOfLocale(language_) == design::SpokenLanguage::Italian;
    web::SetProperty(web::RootElement(), "lang", italian ? "it" : "en");
}

void WebWindow::show()
{
    web::Append(form_, controlsToShow_);
    // The first control in the focus order has it, as in the desktop windows.
    for (const design::Control& control : design::Form1Controls) {
        if (design::TakesFocus(control)) {
            web::Focus(elementsOf(control).native);
            return;
        }
    }
}

const web::ControlElements& WebWindow::elementsOf(const design::Control& control) const
{
    return controls_[design::PlaceOf(control)];
}

void WebWindow::userClicks(std::size_t place)
{
    if (presented() && place < controls_.size())
        presenter().userClicks(design::Form1Controls[place]);
}

void WebWindow::userEdits(std::size_t place, const std::string& text)
{
    readNumberFormat();
    if (presented() && place < controls_.size())
        presenter().userEdits(design::Form1Controls[place], text);
}

void WebWindow::desktopSchemeChanged()
{
    if (presented())
        presenter().desktopSchemeChanged();
}

void WebWindow::readNumberFormat()
{
    if (numberFormat_)
        return;
    numberFormat_ = NumberFormat{web::DecimalSeparator(language_)};
    if (numberFormatRead_)
        numberFormatRead_();
}

std::string WebWindow::userLocale() const
{
    return language_;
}

NumberFormat WebWindow::userNumberFormat() const
{
    return numberFormat_.value_or(NumberFormat{});
}

design::DesktopScheme WebWindow::desktopScheme() const
{
    // The browser's colours as the page stands: light or dark as the reader prefers, or the
    // forced palette of high contrast.
    std::array<Colour, 8> colours{};
    web::SystemColours("Canvas,CanvasText,Field,FieldText,ButtonFace,ButtonText,Highlight,HighlightText", colours.data());
    const design::SystemColours system{colours[0], colours[1], colours[2], colours[3],
                                       colours[4], colours[5], colours[6], colours[7]};
    return {system, web::MediaMatches("(forced-colors: active)")};
}

std::string WebWindow::shownText(const design::Control& control) const
{
    return web::TextProperty(elementsOf(control).native,
                             control.kind == design::Kind::TextEntry ? "value" : "textContent");
}

void WebWindow::showText(const design::Control& control, std::string_view text)
{
    web::SetProperty(elementsOf(control).native, control.kind == design::Kind::TextEntry ? "value" : "textContent",
                     text);
}

void WebWindow::showChecked(const design::Control& box, bool checked)
{
    web::SetFlag(elementsOf(box).native, "checked", checked);
}

void WebWindow::showColours(const design::Control& control, const design::ControlColours& colours)
{
    const web::Node area = elementsOf(control).area;
    web::SetStyle(area, "background-color", CssColour(colours.background));
    web::SetStyle(area, "color", CssColour(colours.text));
}

void WebWindow::showFrame(const design::Control& control, std::optional<Colour> colour)
{
    web::SetStyle(elementsOf(control).area, "border-color", colour ? CssColour(*colour) : "");
}

void WebWindow::describe(const design::Control& control, std::string_view description)
{
    // The description itself, not a reference to hidden text: Firefox tells of a change in hidden
    // text only when the control next takes the focus, and Orca then says the description twice.
    const web::Node native = elementsOf(control).native;
    if (description.empty())
        web::RemoveAttribute(native, "aria-description");
    else
        web::SetAttribute(native, "aria-description", description);
}

void WebWindow::nameAction(const design::Control&, std::string_view)
{
    // Browsers name a button's action themselves ("press" / "premi") in the reader's language;
    // a page has no way to rename it.
}

void WebWindow::announce(const design::Control&, std::string_view words)
{
    // A new element each time: a live region speaks what is added. Only the latest stays.
    // Screen readers take the same text added twice in a row for one message told twice by the
    // browser, and say it once (Orca does); but two presses of "Cancella" must be heard twice.
    // Every other announcement ends in a no-break space, which changes the text and not what is
    // spoken.
    const std::string_view mark = markNextAnnouncement_ ? "\u00A0" : "";
    markNextAnnouncement_ = !markNextAnnouncement_;
    const web::Node said = web::CreateElement("p");
    web::SetProperty(said, "textContent", std::string(words) + std::string(mark));
    web::ReplaceChildren(liveRegion_, said);
}

}  // namespace quadrell
