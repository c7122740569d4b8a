#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "bit_box.h"
#include "colour.h"
#include "window_state.h"

namespace quadrell::design {

// The window as data: every front end builds its window from this one table, so a place, size,
// colour or caption is written down once. Geometry is in twips, 1/1440 inch: at 96 dots per inch
// 15 twips make one pixel.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPixelAt96Dpi = 15;

enum class Kind { CheckBox, Label, TextEntry, PushButton, Shape };
enum class Name { Check1, Label1, Label2, Label3, Label4, Text1, Text2, Command1, Shape1 };
enum class Alignment { Left, Centre };

struct Font {
    std::string_view face;
    double points;
    bool bold;
    friend constexpr bool operator==(const Font&, const Font&) = default;
};

struct Rect {
    int left, top, width, height;  // twips, relative to the client area
};

struct Control {
    Name name;
    int index;                           // within a control array; 0 for a single control
    Kind kind;
    Rect bounds;
    std::string_view caption;            // caption or initial text
    std::optional<Colour> background;    // none: the system's own colour for this kind
    std::optional<Colour> outline;       // shapes only
    std::optional<Font> font;            // none: the window's default font
    Alignment alignment;
    int maxLength;                       // characters a user may type; 0 for no limit
};

struct Form {
    std::string_view caption;
    int clientWidth, clientHeight;  // twips
};

inline constexpr Form Form1{"Quadrell", 5265, 3195};

// The face the design names; a front end substitutes a similar sans face where it is missing.
inline constexpr std::string_view ClassicFace = "MS Sans Serif";

inline constexpr Colour PaleYellow = 0x00C0FFFF;
inline constexpr Colour LightBlue = 0x00FFC0C0;
inline constexpr Colour DarkBlue = 0x00C00000;

constexpr Control BitBoxControl(int k)
{
    return {Name::Check1, k, Kind::CheckBox, {240 + 600 * k, 1200, 495, 255}, BoxCaption(k),
            BaseColour, std::nullopt, std::nullopt, Alignment::Left, 0};
}

// Every control of the window in the order of its tab index, which is the focus order of those
// that take the focus; the shape, which has none, comes last. The texts and the length limit the
// window state owns are the state's own.
inline constexpr std::array<Control, 16> Form1Controls{{
    BitBoxControl(0), BitBoxControl(1), BitBoxControl(2), BitBoxControl(3),
    BitBoxControl(4), BitBoxControl(5), BitBoxControl(6), BitBoxControl(7),
    {Name::Label1, 0, Kind::Label, {960, 1920, 1695, 375}, NoBitsSet, PaleYellow, std::nullopt,
     Font{ClassicFace, 13.5, true}, Alignment::Centre, 0},
    {Name::Text1, 0, Kind::TextEntry, {4080, 2040, 495, 285}, "", std::nullopt, std::nullopt,
     Font{ClassicFace, 8.25, true}, Alignment::Centre, static_cast<int>(WindowState::Text1MaxLength)},
    {Name::Text2, 0, Kind::TextEntry, {3960, 330, 495, 285}, "", std::nullopt, std::nullopt,
     std::nullopt, Alignment::Centre, 0},
    {Name::Label2, 0, Kind::Label, {3480, 360, 375, 255}, "Split", std::nullopt, std::nullopt,
     std::nullopt, Alignment::Left, 0},
    {Name::Command1, 0, Kind::PushButton, {720, 480, 855, 255}, "Cancella", LightBlue, std::nullopt,
     std::nullopt, Alignment::Centre, 0},
    {Name::Label3, 0, Kind::Label, {3960, 2640, 735, 375}, "", SplitColour, std::nullopt,
     Font{ClassicFace, 12, true}, Alignment::Centre, 0},
    {Name::Label4, 0, Kind::Label, {3120, 2400, 735, 375}, "ASCII:", std::nullopt, std::nullopt,
     Font{ClassicFace, 9.75, true}, Alignment::Centre, 0},
    {Name::Shape1, 0, Kind::Shape, {3840, 1920, 975, 1215}, "", std::nullopt, DarkBlue,
     std::nullopt, Alignment::Left, 0},
}};

// The names the design gives the controls; the windows and their tests find the controls by them.
constexpr std::string_view NameText(Name name)
{
    constexpr std::array<std::string_view, 9> names{"Check1", "Label1", "Label2", "Label3",  "Label4",
                                                    "Text1",  "Text2",  "Command1", "Shape1"};
    return names[static_cast<std::size_t>(name)];
}

// A control's name as one word, with the index of a control array's element after an underscore:
// "Check1_3", "Label1".
inline std::string ObjectName(const Control& control)
{
    const std::string name(NameText(control.name));
    return control.name == Name::Check1 ? name + '_' + std::to_string(control.index) : name;
}

// Which label captions which entry: screen readers name each entry by its caption.
struct CaptionLink {
    Name label;
    Name entry;
};
inline constexpr std::array<CaptionLink, 2> EntryCaptions{{{Name::Label4, Name::Text1}, {Name::Label2, Name::Text2}}};

// The label captioning `entry`, if it has one.
constexpr std::optional<Name> CaptionOf(Name entry)
{
    for (const CaptionLink& link : EntryCaptions)
        if (link.entry == entry)
            return link.label;
    return std::nullopt;
}

// The entry `label` captions, if it captions one.
constexpr std::optional<Name> EntryCaptionedBy(Name label)
{
    for (const CaptionLink& link : EntryCaptions)
        if (link.label == label)
            return link.entry;
    return std::nullopt;
}

// Whether `label` captions an entry.
constexpr bool IsEntryCaption(Name label)
{
    return EntryCaptionedBy(label).has_value();
}

// Where the control with this name and index stands in the table, which holds every one of them:
// windows keep their native controls in the same order.
constexpr std::size_t PlaceOf(Name name, int index = 0)
{
    std::size_t place = 0;
    while (place + 1 < Form1Controls.size() && !(Form1Controls[place].name == name && Form1Controls[place].index == index))
        ++place;
    return place;
}

constexpr std::size_t PlaceOf(const Control& control)
{
    return PlaceOf(control.name, control.index);
}

constexpr const Control& Find(Name name, int index = 0)
{
    return Form1Controls[PlaceOf(name, index)];
}

// Whether a control takes part in the keyboard's focus order.
constexpr bool TakesFocus(const Control& control)
{
    return control.kind == Kind::CheckBox || control.kind == Kind::TextEntry || control.kind == Kind::PushButton;
}

// Whether a control shows its text in the desktop's font, fitted to its size: the design gives
// it no font of its own, and it has text to show.
constexpr bool TakesDesktopFont(const Control& control)
{
    return !control.font && control.kind != Kind::Shape;
}

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int ToPixels(int twips, int dotsPerInch)
{
    return (twips * dotsPerInch + TwipsPerInch / 2) / TwipsPerInch;
}

}  // namespace quadrell::design
