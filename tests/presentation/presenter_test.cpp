// The presenter against a window that only records what it is told: what a user would see and hear
// after each action, in any toolkit.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "presenter.h"
#include "program.h"
#include "window_state.h"
#include "window_view.h"

namespace quadrell {
namespace {

using design::Control;
using design::Find;
using design::Name;

constexpr design::SystemColours Light{0xF0F0F0, 0x000000, 0xFFFFFF, 0x000000, 0xF0F0F0, 0x000000, 0xD77800, 0xFFFFFF};
constexpr design::SystemColours WhiteOnBlack{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFF00, 0x000000};

// A window as a toolkit keeps one: an entry holds what the user typed before the toolkit reports it.
class FakeWindow : public WindowView {
public:
    std::string locale = "en_GB.UTF-8";
    design::DesktopScheme scheme{Light, false};
    std::map<std::size_t, std::string> texts, descriptions, actions;
    std::map<std::size_t, bool> checked;
    std::map<std::size_t, design::ControlColours> colours;
    std::vector<std::string> heard;
    int entryTextsSet = 0;

    std::string userLocale() const override { return locale; }
    NumberFormat userNumberFormat() const override { return {}; }
    design::DesktopScheme desktopScheme() const override { return scheme; }
    std::string shownText(const Control& c) const override
    {
        const auto found = texts.find(design::PlaceOf(c));
        return found == texts.end() ? std::string() : found->second;
    }
    void showText(const Control& c, std::string_view text) override
    {
        texts[design::PlaceOf(c)] = text;
        entryTextsSet += c.kind == design::Kind::TextEntry;
    }
    void showChecked(const Control& c, bool on) override { checked[design::PlaceOf(c)] = on; }
    void showColours(const Control& c, const design::ControlColours& shown) override { colours[design::PlaceOf(c)] = shown; }
    void showFrame(const Control&, std::optional<Colour>) override {}
    void describe(const Control& c, std::string_view words) override { descriptions[design::PlaceOf(c)] = words; }
    void nameAction(const Control& c, std::string_view words) override { actions[design::PlaceOf(c)] = words; }
    void announce(const Control&, std::string_view words) override { heard.emplace_back(words); }

    // What the user does, as a toolkit reports it.
    void click(Name name, int index = 0) { presenter().userClicks(Find(name, index)); }
    void edit(Name name, const std::string& text)
    {
        texts[design::PlaceOf(Find(name))] = text;
        presenter().userEdits(Find(name), text);
    }
    void type(Name name, const std::string& keys)
    {
        for (const char key : keys)
            edit(name, text(name) + key);
    }
    void changeScheme() { presenter().desktopSchemeChanged(); }
    const std::string& text(Name name) { return texts[design::PlaceOf(Find(name))]; }
    const std::string& description(Name name, int index = 0) { return descriptions[design::PlaceOf(Find(name, index))]; }
    Colour background(Name name, int index = 0) { return colours[design::PlaceOf(Find(name, index))].background; }
};

TEST(PresenterTest, EachActionIsShownAndHeardOnce)
{
    struct Case {
        const char* name;
        std::string locale;
        std::function<void(FakeWindow&)> act;
        std::string binary, decimal;
        std::vector<std::string> heard;
    };
    for (const Case& c : std::vector<Case>{
             {"at start", "C", [](FakeWindow&) {}, "00000000", "", {}},
             {"a box clicked", "C", [](FakeWindow& w) { w.click(Name::Check1, 0); }, "10000000", "128",
              {"Binary 10000000, decimal 128"}},
             {"a box clicked, in Italian", "it_IT.UTF-8", [](FakeWindow& w) { w.click(Name::Check1, 7); }, "00000001",
              "1", {"Binario 00000001, decimale 1"}},
             {"255 typed: one announcement a key, not one a box", "C", [](FakeWindow& w) { w.type(Name::Text1, "255"); },
              "11111111", "255",
              {"Binary 00000010, decimal 2", "Binary 00011001, decimal 25", "Binary 11111111, decimal 255"}},
             {"a split typed", "C", [](FakeWindow& w) { w.type(Name::Text2, "3"); }, "00000000", "",
              {"The first 3 bits are in the split"}},
             {"Cancella pressed twice: said twice", "C",
              [](FakeWindow& w) {
                  w.type(Name::Text1, "9");
                  w.click(Name::Command1);
                  w.click(Name::Command1);
              },
              "00000000", "",
              {"Binary 00001001, decimal 9", "Binary 00000000, decimal empty, that is 0",
               "Binary 00000000, decimal empty, that is 0"}},
             {"a click in the split entry does nothing", "C", [](FakeWindow& w) { w.click(Name::Text2); }, "00000000",
              "", {}},
         }) {
        FakeWindow window;
        window.locale = c.locale;
        Program program(window);
        c.act(window);
        EXPECT_EQ(window.text(Name::Label1), c.binary) << c.name;
        EXPECT_EQ(window.text(Name::Label3), c.decimal) << c.name;
        EXPECT_EQ(window.heard, c.heard) << c.name;
        for (int k = 0; k < BoxCount; ++k)
            EXPECT_EQ(window.checked[design::PlaceOf(Find(Name::Check1, k))], c.binary[static_cast<std::size_t>(k)] == '1')
                << c.name << ", box " << k;
    }
}

TEST(PresenterTest, EntriesShowTheStoredTextWithoutEchoingTheUsersEdit)
{
    FakeWindow window;
    Program program(window);
    window.type(Name::Text1, "12");
    EXPECT_EQ(window.entryTextsSet, 0);  // the entry already shows what was typed
    window.type(Name::Text1, "9");     // 129 fits a byte
    window.edit(Name::Text1, "129");   // reported, but the text is as stored: no edit, nothing heard
    EXPECT_EQ(window.heard.size(), 3u);
    window.click(Name::Text1);
    EXPECT_EQ(window.text(Name::Text1), "");
    window.type(Name::Text1, "300");  // above a byte: the entry empties
    EXPECT_EQ(window.text(Name::Text1), "");
    EXPECT_EQ(window.text(Name::Label1), "00000000");
}

TEST(PresenterTest, TheSplitIsSeenAndHeardOnEveryBox)
{
    FakeWindow window;
    Program program(window);
    EXPECT_EQ(window.description(Name::Check1, 0), "Bit of weight 128");
    EXPECT_EQ(window.description(Name::Label1), "Binary value");
    EXPECT_EQ(window.actions[design::PlaceOf(Find(Name::Command1))], "Press");
    window.type(Name::Text2, "2");
    EXPECT_EQ(window.background(Name::Check1, 1), SplitColour);
    EXPECT_EQ(window.background(Name::Check1, 2), BaseColour);
    EXPECT_EQ(window.description(Name::Check1, 0), "Bit of weight 128, in the split");
    EXPECT_EQ(window.description(Name::Check1, 7), "Bit of weight 1, outside the split");
}

TEST(PresenterTest, ANewDesktopSchemeRepaintsEveryControl)
{
    FakeWindow window;
    Program program(window);
    window.type(Name::Text2, "1");
    window.scheme = {WhiteOnBlack, true};
    window.changeScheme();
    // Under high contrast the split stands out in the highlight colour, the rest in the window's.
    EXPECT_EQ(window.background(Name::Check1, 0), WhiteOnBlack.highlight);
    EXPECT_EQ(window.background(Name::Check1, 1), WhiteOnBlack.window);
    EXPECT_EQ(window.background(Name::Label1), WhiteOnBlack.window);
}

}  // namespace
}  // namespace quadrell
