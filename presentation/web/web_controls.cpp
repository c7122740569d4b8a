#include "web_controls.h"

#include <cmath>
#include <string>

namespace quadrell::web {

namespace {

// The faces the Qt window substitutes for the design's, in its order, then the browser's own sans
// face. No font file is embedded: the page uses what the reader's system has.
constexpr const char* SubstituteFaces = "\"Liberation Sans\", Arial, sans-serif";

// The page's default font, for controls the design gives none: the design's face at the size
// the classic dialogs use, as in the decimal entry.
constexpr double DefaultPoints = 8.25;

std::string Pixels(int twips)
{
    return std::to_string(design::ToPixels(twips, design::TwipsPerInch / design::TwipsPerPixelAt96Dpi)) + "px";
}

// The design's place and size, as custom properties: the page's style sheet places the controls
// with them at the design's width and lets them flow where the page is narrower.
void Place(Node area, const design::Rect& bounds)
{
    SetStyle(area, "--left", Pixels(bounds.left));
    SetStyle(area, "--top", Pixels(bounds.top));
    SetStyle(area, "--width", Pixels(bounds.width));
    SetStyle(area, "--height", Pixels(bounds.height));
}

void SetFont(Node area, const design::Control& control)
{
    const design::Font font = control.font.value_or(design::Font{design::ClassicFace, DefaultPoints, false});
    SetStyle(area, "font-family", "\"" + std::string(font.face) + "\", " + SubstituteFaces);
    // Hundredths of a point, divided by the browser: 8.25 pt is "calc(825pt / 100)".
    SetStyle(area, "font-size", "calc(" + std::to_string(std::lround(font.points * 100)) + "pt / 100)");
    SetStyle(area, "font-weight", font.bold ? "bold" : "normal");
    SetStyle(area, "text-align", control.alignment == design::Alignment::Centre ? "center" : "left");
}

Node MakeBitBox(const design::Control& control, ControlElements& made)
{
    Node label = CreateElement("label");
    Node box = CreateElement("input");
    SetProperty(box, "type", "checkbox");
    Node caption = CreateElement("span");
    SetProperty(caption, "textContent", std::string(control.caption));
    Append(label, box);
    Append(label, caption);
    made.native = box;
    return label;
}

Node MakeLabel(const design::Control& control, ControlElements& made)
{
    // A caption of an entry is that entry's label: screen readers name the entry by it, and a
    // click on it puts the focus there.
    const bool caption = design::IsEntryCaption(control.name);
    Node label = CreateElement(caption ? "label" : "div");
    SetProperty(label, "textContent", std::string(control.caption));
    for (const design::CaptionLink& link : design::EntryCaptions)
        if (link.label == control.name)
            SetProperty(label, "htmlFor", ElementId(design::Find(link.entry)));
    made.native = label;
    return label;
}

Node MakeEntry(const design::Control& control, ControlElements& made)
{
    Node entry = CreateElement("input");
    SetProperty(entry, "type", "text");
    SetProperty(entry, "autocomplete", "off");
    SetFlag(entry, "spellcheck", false);
    if (control.maxLength > 0)
        SetNumber(entry, "maxLength", control.maxLength);  // stops typing and pasting alike
    made.native = entry;
    return entry;
}

Node MakeButton(const design::Control& control, ControlElements& made)
{
    Node button = CreateElement("button");
    SetProperty(button, "type", "button");
    SetProperty(button, "textContent", std::string(control.caption));
    made.native = button;
    return button;
}

Node MakeShape(ControlElements& made)
{
    Node shape = CreateElement("div");
    SetAttribute(shape, "aria-hidden", "true");  // a frame, nothing to read
    made.native = shape;
    return shape;
}

Node MakeArea(const design::Control& control, ControlElements& made)
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

ControlElements MakeControl(Node parent, Node descriptions, const design::Control& control)
{
    ControlElements made{0, 0, CreateElement("span")};
    made.area = MakeArea(control, made);
    SetProperty(made.native, "id", ElementId(control));
    SetProperty(made.area, "className", KindClass(control.kind));
    SetDataset(made.area, "place", std::to_string(design::PlaceOf(control)));
    Place(made.area, control.bounds);
    SetFont(made.area, control);
    SetProperty(made.description, "id", ElementId(control) + "-description");
    Append(descriptions, made.description);
    Append(parent, made.area);
    return made;
}

}  // namespace quadrell::web
