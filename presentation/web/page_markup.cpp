#include "page_markup.h"

#include <cmath>
#include <optional>
#include <string>

namespace quadrell::web {

namespace {

// The faces the Qt window substitutes for the design's, in its order, then the browser's own sans
// face. No font file is embedded: the page uses what the reader's system has.
constexpr const char* SubstituteFaces = "'Liberation Sans', Arial, sans-serif";

// The page's default font, for controls the design gives none: the design's face at the size
// the classic dialogs use, as in the decimal entry.
constexpr design::Font DefaultFont{design::ClassicFace, 8.25, false};

// Text as HTML shows it, in an element or in a quoted attribute.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string Pixels(int twips)
{
    return std::to_string(design::ToPixels(twips, design::TwipsPerInch / design::TwipsPerPixelAt96Dpi)) + "px";
}

std::string FontStyle(const design::Font& font)
{
    return "font-family:'" + std::string(font.face) + "', " + SubstituteFaces +
           // Hundredths of a point, divided by the browser: 8.25 pt is "calc(825pt / 100)"; then
           // the page's one scale for every text, 1 with a mouse, larger for a finger.
           ";font-size:calc(" + std::to_string(std::lround(font.points * 100)) + "pt / 100 * var(--text-scale, 1))" +
           ";font-weight:" + (font.bold ? "bold" : "normal");
}

// The design's place and size, as custom properties: the page's style sheet places the controls
// with them at the design's width and lets them flow where the page is narrower. Then the font.
std::string AreaStyle(const design::Control& control)
{
    const design::Rect& bounds = control.bounds;
    return "--left:" + Pixels(bounds.left) + ";--top:" + Pixels(bounds.top) + ";--width:" + Pixels(bounds.width) +
           ";--height:" + Pixels(bounds.height) + ";" + FontStyle(control.font.value_or(DefaultFont)) +
           ";text-align:" + (control.alignment == design::Alignment::Centre ? "center" : "left");
}

const char* KindClass(design::Kind kind)
{
    switch (kind) {
    case design::Kind::CheckBox: return "box";
    case design::Kind::Label: return "label";
    case design::Kind::TextEntry: return "entry";
    case design::Kind::PushButton: return "button";
    case design::Kind::Shape: return "shape";
    }
    return "";
}

// What every control's placed element carries: its class, its row in the design table (how the
// page's listeners name it to the program) and its place.
std::string AreaAttributes(const design::Control& control)
{
    return " class=\"control " + std::string(KindClass(control.kind)) + "\" data-place=\"" +
           std::to_string(design::PlaceOf(control)) + "\" style=\"" + Escaped(AreaStyle(control)) + "\"";
}

std::string IdAttribute(const design::Control& control)
{
    return " id=\"" + Escaped(ElementId(control)) + "\"";
}

std::string BitBox(const design::Control& control)
{
    return "<label" + AreaAttributes(control) + "><input type=\"checkbox\"" + IdAttribute(control) + "><span>" +
           Escaped(control.caption) + "</span></label>";
}

std::string Label(const design::Control& control)
{
    // A caption of an entry is that entry's label: screen readers name the entry by it, and a
    // click on it puts the focus there.
    if (const std::optional<design::Name> entry = design::EntryCaptionedBy(control.name))
        return "<label" + AreaAttributes(control) + IdAttribute(control) + " for=\"" +
               Escaped(ElementId(design::Find(*entry))) + "\">" + Escaped(control.caption) + "</label>";
    return "<div" + AreaAttributes(control) + IdAttribute(control) + ">" + Escaped(control.caption) + "</div>";
}

// The on-screen keyboard an entry asks for. The decimal entry reads a whole number from 0 to 255:
// digits. The split reads a number written the reader's way, so its keyboard has the decimal
// separator too. Either stays a text entry: what a digits keyboard cannot type ("&H", "-") is
// still read when pasted or typed on a keyboard that has it.
const char* KeyboardMode(const design::Control& entry)
{
    return entry.name == design::Name::Text1 ? "numeric" : "decimal";
}

std::string Entry(const design::Control& control)
{
    // The longest text stops typing and pasting alike.
    const std::string maxLength =
        control.maxLength > 0 ? " maxlength=\"" + std::to_string(control.maxLength) + "\"" : "";
    // Enter on an on-screen keyboard says "done": the entry has no more to take.
    return "<input type=\"text\" inputmode=\"" + std::string(KeyboardMode(control)) +
           "\" enterkeyhint=\"done\" autocomplete=\"off\" spellcheck=\"false\"" + maxLength +
           AreaAttributes(control) + IdAttribute(control) + ">";
}

std::string Button(const design::Control& control)
{
    return "<button type=\"button\"" + AreaAttributes(control) + IdAttribute(control) + ">" +
           Escaped(control.caption) + "</button>";
}

std::string Shape(const design::Control& control)
{
    return "<div aria-hidden=\"true\"" + AreaAttributes(control) + IdAttribute(control) + "></div>";  // a frame
}

std::string ControlMarkup(const design::Control& control)
{
    switch (control.kind) {
    case design::Kind::CheckBox: return BitBox(control);
    case design::Kind::Label: return Label(control);
    case design::Kind::TextEntry: return Entry(control);
    case design::Kind::PushButton: return Button(control);
    case design::Kind::Shape: return Shape(control);
    }
    return Shape(control);
}

}  // namespace

std::string ElementId(const design::Control& control)
{
    return design::ObjectName(control);
}

std::string FormMarkup()
{
    // The window's caption is, for screen readers that list a page's headings, its heading; the
    // window shows none. It is in the controls' own font, which the browser finds once for both:
    // in the page's default font it was one more font to ask the system for, as the page starts.
    std::string markup = "<h1 class=\"heading\" style=\"" + Escaped(FontStyle(DefaultFont)) + "\">" +
                         Escaped(design::Form1.caption) + "</h1>";
    for (const design::Control& control : design::Form1Controls)
        markup += ControlMarkup(control);
    return markup;
}

ControlElements FindControl(Node markup, const design::Control& control)
{
    const Node native = ElementById(markup, ElementId(control));
    return {native, Closest(native, "[data-place]")};
}

}  // namespace quadrell::web
