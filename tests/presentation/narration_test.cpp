#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "handlers.h"
#include "narration.h"
#include "window_state.h"

namespace quadrell::design {
namespace {

constexpr SpokenLanguage En = SpokenLanguage::English;

// What a screen reader is told after each action, with the real handlers run to their end: the
// announcement follows the state the whole cascade left, not any box on the way.
TEST(NarrationTest, EachActionAnnouncesTheStateItsHandlersLeft)
{
    struct Case {
        const char* name;
        std::function<void(WindowState&)> before, action;
        UserAction kind;
        const char* announced;
    };
    const auto nothing = [](WindowState&) {};
    for (const Case& c : {
             Case{"typing 5", nothing, [](WindowState& s) { s.userEditsText1("5"); }, UserAction::EditsText1,
                  "Binary 00000101, decimal 5"},
             Case{"typing 256, which empties the entry", nothing, [](WindowState& s) { s.userEditsText1("256"); },
                  UserAction::EditsText1, "Binary 00000000, decimal empty, that is 0"},
             Case{"a click in the entry holding 17", [](WindowState& s) { s.userEditsText1("17"); },
                  [](WindowState& s) { s.userClicksText1(); }, UserAction::ClicksText1,
                  "Binary 00000000, decimal empty, that is 0"},
             Case{"Cancella after 200", [](WindowState& s) { s.userEditsText1("200"); },
                  [](WindowState& s) { s.userClicksCommand1(); }, UserAction::ClicksCommand1,
                  "Binary 00000000, decimal empty, that is 0"},
             Case{"a split of 3", nothing, [](WindowState& s) { s.userEditsText2("3"); }, UserAction::EditsText2,
                  "The first 3 bits are in the split"},
             Case{"a split of 100", nothing, [](WindowState& s) { s.userEditsText2("100"); }, UserAction::EditsText2,
                  "All 8 bits are in the split"},
             Case{"a split that is not a number", [](WindowState& s) { s.userEditsText2("4"); },
                  [](WindowState& s) { s.userEditsText2("4x"); }, UserAction::EditsText2, "No bit is in the split"},
             Case{"a box clicked", nothing, [](WindowState& s) { s.userClicksBox(0); }, UserAction::ClicksBox,
                  "Binary 10000000, decimal 128"},
         }) {
        WindowState state;
        BindHandlers(state, NumberFormat{});
        c.before(state);
        c.action(state);
        EXPECT_EQ(AnnouncementOf(En, state, c.kind), c.announced) << c.name;
    }
}

TEST(NarrationTest, BoxesSayWhetherTheyLieInTheSplit)
{
    WindowState state;
    BindHandlers(state, NumberFormat{});
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Check1, 0)), "Bit of weight 128");

    state.userEditsText2("3");
    EXPECT_EQ(SplitCount(state), 3);
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Check1, 2)), "Bit of weight 32, in the split");
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Check1, 3)), "Bit of weight 16, outside the split");

    state.userEditsText2("");
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Check1, 2)), "Bit of weight 32");
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Label3)), "Decimal value");
    EXPECT_EQ(DescriptionOf(En, state, Find(Name::Text1)), "");
}

}  // namespace
}  // namespace quadrell::design
