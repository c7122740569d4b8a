#include "web_controls.h"

#include <string>

namespace quadrell::web {

namespace {

using emscripten::val;

// The faces the Qt window substitutes for the design's, in its order, then the browser's own sans
// face. No font file is embedded: the page uses what the reader's system has.
constexpr const char* SubstituteFaces = "\"Liberation Sans\", Arial, sans-serif";

// The page's default font, for controls the design gives none: the design's face at the size
// the classic dialogs use, as in the decimal entry.
constexpr double DefaultPoints = 8.25;

val Document()
{
    return val::global("document");
}

val Make(const char* tag)
{
    return Document().call<val>("createElement", val(tag));
}

std::string Pixels(int twips)
{
    return std::to_string(design::ToPixels(twips, design::TwipsPerInch / design::TwipsPerPixelAt96Dpi)) + "px";
}

// The design's place and size, as custom properties: the page's style sheet places the controls
// with them at the design's width and lets them flow where the page is narrower.
void Place(val area, const design::Rect& bounds)
{
    val style = area["style"];
    style.call<void>("setProperty", val("--left"), val(Pixels(bounds.left)));
    style.call<void>("setProperty", val("--top"), val(Pixels(bounds.top)));
    style.call<void>("setProperty", val("--width"), val(Pixels(bounds.width)));
    style.call<void>("setProperty", val("--height"), val(Pixels(bounds.height)));
}

void SetFont(val area, const design::Control& control)
{
    const design::Font font = control.font.value_or(design::Font{design::ClassicFace, DefaultPoints, false});
    val style = area["style"];
    style.set("fontFamily", "\"" + std::string(font.face) + "\", " + SubstituteFaces);
    style.set("fontSize", std::to_string(font.points) + "pt");
    style.set("fontWeight", font.bold ? "bold" : "normal");
    style.set("textAlign", control.alignment == design::Alignment::Centre ? "center" : "left");
}

val MakeBitBox(const design::Control& control, ControlElements& made)
{
    val label = Make("label");
    val box = Make("input");
    box.set("type", "checkbox");
    val caption = Make("span");
    caption.set("textContent", std::string(control.caption));
    label.call<void>("append", box, caption);
    made.native = box;
    return label;
}

val MakeLabel(const design::Control& control, ControlElements& made)
{
    // A caption of an entry is that entry's label: screen readers name the entry by it, and a
    // click on it puts the focus there.
    const bool caption = design::IsEntryCaption(control.name);
    val label = Make(caption ? "label" : "div");
    label.set("textContent", std::string(control.caption));
    for (const design::CaptionLink& link : design::EntryCaptions)
        if (link.label == control.name)
            label.set("htmlFor", ElementId(design::Find(link.entry)));
    made.native = label;
    return label;
}

val MakeEntry(const design::Control& control, ControlElements& made)
{
    val entry = Make("input");
    entry.set("type", "text");
    entry.set("autocomplete", "off");
    entry.set("spellcheck", false);
    if (control.maxLength > 0)
        entry.set("maxLength", control.maxLength);  // stops typing and pasting alike
    made.native = entry;
    return entry;
}

val MakeButton(const design::Control& control, ControlElements& made)
{
    val button = Make("button");
    button.set("type", "button");
    button.set("textContent", std::string(control.caption));
    made.native = button;
    return button;
}

val MakeShape(ControlElements& made)
{
    val shape = Make("div");
    shape.call<void>("setAttribute", val("aria-hidden"), val("true"));  // a frame, nothing to read
    made.native = shape;
    return shape;
}

val MakeArea(const design::Control& control, ControlElements& made)
{
    switch (control.kind) {
    case design::Kind::CheckBox: return MakeBitBox(control, made);
    case design::Kind::Label: return MakeLabel(control, made);
    case design::Kind::TextEntry: return MakeEntry(control, made);
    case design::Kind::PushButton: return MakeButton(control, made);
    case design::Kind::Shape: return MakeShape(made);
    }
    return MakeShape(made);
}

const char* KindClass(design::Kind kind)
{
    switch (kind) {
    case design::Kind::CheckBox: return "control box";
    case design::Kind::Label: return "control label";
    case design::Kind::TextEntry: return "control entry";
    case design::Kind::PushButton: return "control button";
    case design::Kind::Shape: return "control shape";
    }
    return "control";
}

}  // namespace

std::string ElementId(const design::Control& control)
{
    return design::ObjectName(control);
}

ControlElements MakeControl(val form, val descriptions, const design::Control& control)
{
    ControlElements made{val::undefined(), val::undefined(), Make("span")};
    made.area = MakeArea(control, made);
    made.native.set("id", ElementId(control));
    made.area.set("className", KindClass(control.kind));
    made.area["dataset"].set("place", static_cast<int>(design::PlaceOf(control)));
    Place(made.area, control.bounds);
    SetFont(made.area, control);
    made.description.set("id", ElementId(control) + "-description");
    descriptions.call<void>("append", made.description);
    form.call<void>("append", made.area);
    return made;
}

}  // namespace quadrell::web
