// The presenter against a window that only records what it is told: what a user would see and hear
// after each action, whatever the toolkit.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "window_view.h"

namespace quadrell {
namespace {

using design::Find;
using design::Name;

constexpr design::SystemColours Light{0xF0F0F0, 0x000000, 0xFFFFFF, 0x000000, 0xF0F0F0, 0x000000, 0xD77800, 0xFFFFFF};
constexpr design::SystemColours WhiteOnBlack{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFF00, 0x000000};

// A window as a toolkit keeps one: an entry holds what the user typed before the toolkit reports it.
class FakeWindow : public WindowView {
public:
    struct Shown {
        std::string text, description, action;
        bool checked = false;
        design::ControlColours colours{};
    };
    std::string locale = "C";
    design::DesktopScheme scheme{Light, false};
    std::array<Shown, design::Form1Controls.size()> shown;
    std::vector<std::string> heard;
    int entryTextsSet = 0;

    std::string userLocale() const override { return locale; }
    NumberFormat userNumberFormat() const override { return {}; }
    design::DesktopScheme desktopScheme() const override { return scheme; }
    std::string shownText(const design::Control& c) const override { return shown[design::PlaceOf(c)].text; }
    void showText(const design::Control& c, std::string_view text) override
    {
        of(c).text = text;
        entryTextsSet += c.kind == design::Kind::TextEntry;
    }
    void showChecked(const design::Control& c, bool on) override { of(c).checked = on; }
    void showColours(const design::Control& c, const design::ControlColours& colours) override { of(c).colours = colours; }
    void showFrame(const design::Control&, std::optional<Colour>) override {}
    void describe(const design::Control& c, std::string_view words) override { of(c).description = words; }
    void nameAction(const design::Control& c, std::string_view words) override { of(c).action = words; }
    void announce(const design::Control&, std::string_view words) override { heard.emplace_back(words); }

    // What the user does, as a toolkit reports it.
    void click(Name name, int index = 0) { presenter().userClicks(Find(name, index)); }
    void edit(Name name, const std::string& text)
    {
        of(Find(name)).text = text;
        presenter().userEdits(Find(name), text);
    }
    void type(Name name, const std::string& keys)
    {
        for (const char key : keys)
            edit(name, of(Find(name)).text + key);
    }
    void changeScheme() { presenter().desktopSchemeChanged(); }
    Shown& of(const design::Control& c) { return shown[design::PlaceOf(c)]; }
    Shown& of(Name name, int index = 0) { return of(Find(name, index)); }
};

TEST(PresenterTest, EachActionIsHeardOnceInTheUsersLanguage)
{
    struct Case {
        const char* name;
        std::string locale;
        std::function<void(FakeWindow&)> act;
        std::vector<std::string> heard;
    };
    const std::string zero = "Binary 00000000, decimal empty, that is 0";
    for (const Case& c : std::vector<Case>{
             {"a box clicked, in Italian", "it_IT.UTF-8", [](FakeWindow& w) { w.click(Name::Check1, 7); },
              {"Binario 00000001, decimale 1"}},
             {"255 typed: once a key, not once a box", "C", [](FakeWindow& w) { w.type(Name::Text1, "255"); },
              {"Binary 00000010, decimal 2", "Binary 00011001, decimal 25", "Binary 11111111, decimal 255"}},
             {"Cancella twice: said twice", "C", [](FakeWindow& w) { w.click(Name::Command1), w.click(Name::Command1); },
              {zero, zero}},
             {"a report of the text the entry holds is no edit", "C", [](FakeWindow& w) { w.edit(Name::Text1, ""); }, {}},
             {"a click in the split entry", "C", [](FakeWindow& w) { w.click(Name::Text2); }, {}},
         }) {
        FakeWindow window;
        window.locale = c.locale;
        Program program(window);
        c.act(window);
        EXPECT_EQ(window.heard, c.heard) << c.name;
    }
}

TEST(PresenterTest, EntriesKeepTheUsersEditAndShowTheBehavioursOwn)
{
    FakeWindow window;
    Program program(window);
    window.type(Name::Text1, "129");
    EXPECT_EQ(window.entryTextsSet, 0);  // the entry already shows what was typed
    EXPECT_EQ(window.of(Name::Label1).text, "10000001");
    EXPECT_TRUE(window.of(Name::Check1, 0).checked);
    window.click(Name::Text1);
    EXPECT_EQ(window.of(Name::Text1).text, "");
    EXPECT_EQ(window.of(Name::Label3).text, "");
    EXPECT_FALSE(window.of(Name::Check1, 0).checked);
}

TEST(PresenterTest, TheSplitIsSeenAndHeardOnEveryBoxInEveryScheme)
{
    FakeWindow window;
    Program program(window);
    EXPECT_EQ(window.of(Name::Check1, 0).description, "Bit of weight 128");
    EXPECT_EQ(window.of(Name::Label1).description, "Binary value");
    EXPECT_EQ(window.of(Name::Command1).action, "Press");
    window.type(Name::Text2, "1");
    EXPECT_EQ(window.of(Name::Check1, 0).colours.background, SplitColour);
    EXPECT_EQ(window.of(Name::Check1, 0).description, "Bit of weight 128, in the split");
    EXPECT_EQ(window.of(Name::Check1, 7).description, "Bit of weight 1, outside the split");
    // Under high contrast the split stands out in the highlight colour, the rest in the window's.
    window.scheme = {WhiteOnBlack, true};
    window.changeScheme();
    EXPECT_EQ(window.of(Name::Check1, 0).colours.background, WhiteOnBlack.highlight);
    EXPECT_EQ(window.of(Name::Check1, 1).colours.background, WhiteOnBlack.window);
    EXPECT_EQ(window.of(Name::Label1).colours.background, WhiteOnBlack.window);
}

}  // namespace
}  // namespace quadrell
