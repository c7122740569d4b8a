#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "state_observer.h"
#include "window_state.h"

namespace quadrell {
namespace {

TEST(WindowStateTest, StartsAsTheWindowOpens)
{
    const WindowState state;
    for (int k = 0; k < BoxCount; ++k) {
        EXPECT_EQ(state.box(k).caption, std::string(1, char('0' + k)));
        EXPECT_EQ(state.box(k).value, 0);
        EXPECT_EQ(state.box(k).backColour, BaseColour);
    }
    EXPECT_EQ(state.label1(), "00000000");
    EXPECT_EQ(state.label3(), "");
    EXPECT_EQ(state.text1(), "");
    EXPECT_EQ(state.text2(), "");
}

TEST(WindowStateTest, BitWeightsRunFromMostSignificantAtTheLeft)
{
    EXPECT_EQ(BitWeight(0), 128);
    EXPECT_EQ(BitWeight(5), 4);
    EXPECT_EQ(BitWeight(7), 1);
}

// Records each notification raised, with what the state held when it ran.
struct NotificationLog {
    std::vector<std::string> entries;

    void bind(WindowState& state)
    {
        state.onCheck1Click([this](WindowState& s, std::int16_t k) {
            entries.push_back("click " + std::to_string(k) + "=" + std::to_string(s.box(k).value));
        });
        state.onText1Change([this](WindowState& s) { entries.push_back("text1 '" + s.text1() + "'"); });
        state.onText1Click([this](WindowState&) { entries.push_back("text1 click"); });
        state.onText2Change([this](WindowState& s) { entries.push_back("text2 '" + s.text2() + "'"); });
        state.onCommand1Click([this](WindowState&) { entries.push_back("command1"); });
        state.onForm1Load([this](WindowState&) { entries.push_back("load"); });
    }
};

TEST(WindowStateTest, SettersRaiseOnlyOnRealChangesAfterStoring)
{
    WindowState state;
    NotificationLog log;
    log.bind(state);

    state.setBoxValue(3, 1);
    state.setBoxValue(3, 1);
    state.setBoxValue(4, 0);
    state.setBoxBackColour(2, SplitColour);
    state.setLabel1("x");
    state.setLabel3("y");
    state.setText1("");
    state.setText1("7");
    state.setText1("7");

    EXPECT_EQ(log.entries, (std::vector<std::string>{"click 3=1", "text1 '7'"}));
}

TEST(WindowStateTest, EachUserActionRaisesOneNotification)
{
    WindowState state;
    NotificationLog log;
    log.bind(state);

    state.loadForm1();
    state.userClicksBox(6);
    state.userClicksBox(6);
    state.userEditsText1("4");
    state.userEditsText1("4");  // nothing changed: no edit
    state.userClicksText1();
    state.userEditsText2("12345");
    state.userClicksCommand1();

    EXPECT_EQ(log.entries, (std::vector<std::string>{"load", "click 6=1", "click 6=0", "text1 '4'", "text1 click",
                                                     "text2 '12345'", "command1"}));
}

TEST(WindowStateTest, UnboundNotificationsDoNothing)
{
    WindowState state;
    state.userClicksBox(0);
    state.userClicksCommand1();
    state.userClicksText1();
    EXPECT_EQ(state.box(0).value, 1);
    EXPECT_EQ(state.label1(), "00000000");  // no handler bound to refresh it
}

TEST(WindowStateTest, UserEditsOfTheDecimalEntryKeepThreeCharacters)
{
    struct Case {
        std::string typed;
        std::string kept;
    };
    const std::vector<Case> cases = {
        {"1234", "123"}, {"12", "12"}, {"", ""},
        {"\xC3\xA8\xC3\xA8\xC3\xA8\xC3\xA8", "\xC3\xA8\xC3\xA8\xC3\xA8"},  // "èèèè": characters, not bytes
        {"1\xE2\x82\xAC" "23", "1\xE2\x82\xAC" "2"},                           // "1€23"
        {"\xFF\xFE\xFD\xFC", "\xFF\xFE\xFD"},                                   // stray bytes count one each
        {"a\xE2\x82", "a\xE2\x82"},                                             // a cut-off character
    };
    for (const Case& c : cases) {
        WindowState state;
        state.userEditsText1(c.typed);
        EXPECT_EQ(state.text1(), c.kept) << "typed '" << c.typed << "'";
    }
}

TEST(WindowStateTest, SplitEntryHasNoLengthLimit)
{
    WindowState state;
    const std::string longText(1000, '9');
    state.userEditsText2(longText);
    EXPECT_EQ(state.text2(), longText);
}

// Records which controls an observer was told about.
struct RecordingObserver : StateObserver {
    std::vector<std::string> changes;
    void boxValueChanged(int k) override { changes.push_back("value " + std::to_string(k)); }
    void boxColourChanged(int k) override { changes.push_back("colour " + std::to_string(k)); }
    void label1Changed() override { changes.push_back("label1"); }
    void label3Changed() override { changes.push_back("label3"); }
    void text1Changed() override { changes.push_back("text1"); }
    void text2Changed() override { changes.push_back("text2"); }
};

TEST(WindowStateTest, ObserverHearsEveryStoredChangeOnce)
{
    WindowState state;
    RecordingObserver observer;
    state.setObserver(&observer);

    state.setBoxValue(1, 1);
    state.setBoxValue(1, 1);
    state.setBoxBackColour(1, SplitColour);
    state.setBoxBackColour(1, SplitColour);
    state.setLabel1("00000001");
    state.setLabel3("1");
    state.userEditsText1("1");
    state.userEditsText2("2");
    state.setObserver(nullptr);
    state.setLabel3("2");

    EXPECT_EQ(observer.changes,
              (std::vector<std::string>{"value 1", "colour 1", "label1", "label3", "text1", "text2"}));
}

TEST(WindowStateTest, ObserverSeesTheChangeBeforeTheHandlerRuns)
{
    // A front end repaints a box before any cascade the box starts, so the screen follows each step.
    WindowState state;
    RecordingObserver observer;
    state.setObserver(&observer);
    state.onCheck1Click([&](WindowState& s, std::int16_t) { s.setLabel1("changed"); });
    state.userClicksBox(0);
    EXPECT_EQ(observer.changes, (std::vector<std::string>{"value 0", "label1"}));
}

}  // namespace
}  // namespace quadrell
