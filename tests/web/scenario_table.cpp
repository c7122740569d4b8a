// Prints the window scenarios (tests/scenarios/window_scenarios.h) as JSON, for the browser driver
// (scenarios.mjs): the table stays written once, in C++, and the page is held to the same rows as
// the desktop windows. Controls are named by the ids the page gives them, the design's names.
// Beside them it prints the program's spoken words, for the screen-reader check
// (tests/screen-reader/orca_check.mjs), which expects what the program says and no other words.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "form_design.h"
#include "handlers.h"
#include "narration.h"
#include "window_scenarios.h"
#include "window_state.h"

namespace {

using namespace quadrell;

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            constexpr const char* Hex = "0123456789abcdef";
            quoted += std::string("\\u00") + Hex[c >> 4] + Hex[c & 0xF];
            continue;
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string Id(const scenarios::Target& target)
{
    return Quoted(design::ObjectName(design::Find(target.name, target.index)));
}

std::string_view ActionName(scenarios::Action action)
{
    switch (action) {
    case scenarios::Action::Look: return "Look";
    case scenarios::Action::Click: return "Click";
    case scenarios::Action::ClickBesideCaption: return "ClickBesideCaption";
    case scenarios::Action::Type: return "Type";
    case scenarios::Action::Paste: return "Paste";
    case scenarios::Action::Tab: return "Tab";
    case scenarios::Action::ShiftTab: return "ShiftTab";
    case scenarios::Action::Space: return "Space";
    }
    return "";
}

void Field(std::ostream& out, const char* name, const std::optional<std::string_view>& value, bool& first)
{
    if (!value)
        return;
    out << (first ? "" : ", ") << Quoted(name) << ": " << Quoted(*value);
    first = false;
}

void PrintShows(std::ostream& out, const scenarios::Shows& shows)
{
    bool first = true;
    out << '{';
    Field(out, "bits", shows.bits, first);
    Field(out, "decimal", shows.decimal, first);
    Field(out, "text1", shows.text1, first);
    Field(out, "text2", shows.text2, first);
    Field(out, "colours", shows.colours, first);
    Field(out, "heard", shows.heard, first);
    if (shows.focus)
        out << (first ? "" : ", ") << "\"focus\": " << Id(*shows.focus);
    out << '}';
}

void PrintStep(std::ostream& out, const scenarios::Step& step)
{
    out << "{\"action\": " << Quoted(ActionName(step.action));
    if (step.target)
        out << ", \"target\": " << Id(*step.target);
    if (!step.text.empty())
        out << ", \"text\": " << Quoted(step.text);
    out << ", \"shows\": ";
    PrintShows(out, step.shows);
    out << '}';
}

// Every control's place and size as the design gives them, in CSS pixels at 96 dpi: where the
// page must draw each with a mouse, at the design's width.
void PrintDesign(std::ostream& out)
{
    const auto pixels = [](int twips) { return design::ToPixels(twips, design::TwipsPerInch / design::TwipsPerPixelAt96Dpi); };
    out << ",\n \"design\": {";
    for (std::size_t n = 0; n < design::Form1Controls.size(); ++n) {
        const design::Control& control = design::Form1Controls[n];
        const design::Rect& r = control.bounds;
        out << (n == 0 ? "" : ", ") << Quoted(design::ObjectName(control)) << ": [" << pixels(r.left) << ", "
            << pixels(r.top) << ", " << pixels(r.width) << ", " << pixels(r.height) << "]";
    }
    out << "}";
}

// Texts as a JSON array, from `text(n)` for n from 0 to count - 1.
template <typename TextOf>
void PrintArray(std::ostream& out, int count, const TextOf& text)
{
    out << '[';
    for (int n = 0; n < count; ++n)
        out << (n == 0 ? "" : ", ") << Quoted(text(n));
    out << ']';
}

// The name a screen reader hears for each control that takes the focus, and for the window: an
// entry is named by the label that captions it, every other control by its own caption.
void PrintHeardNames(std::ostream& out)
{
    out << ",\n \"heardNames\": {\"window\": " << Quoted(design::Form1.caption);
    for (const design::Control& control : design::Form1Controls) {
        if (!design::TakesFocus(control))
            continue;
        const std::optional<design::Name> label = design::CaptionOf(control.name);
        out << ", " << Quoted(design::ObjectName(control)) << ": "
            << Quoted(label ? design::Find(*label).caption : control.caption);
    }
    out << "}";
}

// A freshly opened window's state, with the program's own handlers bound to it (and so not to be
// copied), and its split entry given `splitCount` if any.
struct OpenedWindow {
    WindowState state;
    explicit OpenedWindow(std::optional<int> splitCount = std::nullopt)
    {
        BindHandlers(state, NumberFormat{});
        if (splitCount)
            state.userEditsText2(std::to_string(*splitCount));
    }
    OpenedWindow(const OpenedWindow&) = delete;
    OpenedWindow& operator=(const OpenedWindow&) = delete;
};

// What the program says in one language, as its narration words it from the state the user's
// actions leave: each box's description while the split marks 0 to 8 bits ("boxDescriptions"
// [count][k]); the byte after the boxes of each value are clicked ("byteOutcomes"[value]); the
// split after its entry is given each count ("splitOutcomes"[count]).
void PrintSpokenIn(std::ostream& out, design::SpokenLanguage language)
{
    out << "{\"boxDescriptions\": [";
    for (int count = 0; count <= BoxCount; ++count) {
        const OpenedWindow window(count);
        out << (count == 0 ? "" : ", ");
        PrintArray(out, BoxCount, [&](int k) {
            return design::DescriptionOf(language, window.state, design::BitBoxControl(k));
        });
    }
    out << "],\n   \"byteOutcomes\": ";
    PrintArray(out, 256, [&](int value) {
        OpenedWindow window;
        for (int k = 0; k < BoxCount; ++k)
            if (value & BitWeight(k))
                window.state.userClicksBox(k);
        return design::AnnouncementOf(language, window.state, design::UserAction::ClicksBox);
    });
    out << ",\n   \"splitOutcomes\": ";
    PrintArray(out, BoxCount + 1, [&](int count) {
        return design::AnnouncementOf(language, OpenedWindow(count).state, design::UserAction::EditsText2);
    });
    out << "}";
}

void PrintSpoken(std::ostream& out)
{
    PrintHeardNames(out);
    out << ",\n \"spoken\": {\"en\": ";
    PrintSpokenIn(out, design::SpokenLanguage::English);
    out << ",\n  \"it\": ";
    PrintSpokenIn(out, design::SpokenLanguage::Italian);
    out << "}";
}

}  // namespace

// Prints to standard output, or into the file named on the command line.
int main(int argc, char** argv)
{
    std::ofstream file;
    if (argc > 1)
        file.open(argv[1]);
    std::ostream& out = argc > 1 ? file : std::cout;
    out << "{\"heardSeparator\": " << Quoted(scenarios::HeardSeparator) << ",\n \"focusOrder\": [";
    bool first = true;
    for (const design::Control& control : design::Form1Controls) {
        if (design::TakesFocus(control)) {
            out << (first ? "" : ", ") << Quoted(design::ObjectName(control));
            first = false;
        }
    }
    out << "]";
    PrintDesign(out);
    PrintSpoken(out);
    out << ",\n \"scenarios\": [\n";
    for (std::size_t n = 0; n < scenarios::WindowScenarios.size(); ++n) {
        const scenarios::Scenario& scenario = scenarios::WindowScenarios[n];
        out << "  {\"name\": " << Quoted(scenario.name) << ", \"steps\": [";
        for (std::size_t s = 0; s < scenario.steps.size(); ++s) {
            out << (s == 0 ? "\n    " : ",\n    ");
            PrintStep(out, scenario.steps[s]);
        }
        out << "]}" << (n + 1 < scenarios::WindowScenarios.size() ? ",\n" : "\n");
    }
    out << "]}\n";
    return out ? 0 : 1;
}
