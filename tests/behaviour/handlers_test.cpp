#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "handlers.h"
#include "param_name.h"
#include "state_probe.h"
#include "window_state.h"

namespace quadrell {
namespace {

using testing_support::BoxBits;
using testing_support::BoxColours;
using testing_support::CountingState;

struct ClickCase {
    std::vector<int> boxes;
    std::string label1;
    std::string label3;
};

std::ostream& operator<<(std::ostream& out, const ClickCase& c)
{
    return out << "clicks giving " << c.label1;
}

class BoxClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(BoxClickTest, DisplaysFollowTheBoxes)
{
    CountingState s;
    for (int k : GetParam().boxes)
        s.state.userClicksBox(k);
    EXPECT_EQ(s.state.label1(), GetParam().label1);
    EXPECT_EQ(s.state.label3(), GetParam().label3);
    EXPECT_EQ(s.state.text1(), "");  // the decimal entry is never written from the boxes
}

INSTANTIATE_TEST_SUITE_P(Clicks, BoxClickTest, testing::Values(
    ClickCase{{0}, "10000000", "128"}, ClickCase{{7}, "00000001", "1"}, ClickCase{{5, 7}, "00000101", "5"},
    ClickCase{{0, 1, 2, 3, 4, 5, 6, 7}, "11111111", "255"},
    ClickCase{{}, "00000000", ""}, ClickCase{{3, 3}, "00000000", ""},  // checked and unchecked again
    ClickCase{{0, 1}, "11000000", "192"}),
    [](const auto& info) { return testing_support::ParamName(info.param.label1, info.index); });

TEST(RefreshDisplaysTest, RebuildsStaleDisplaysFromTheBoxes)
{
    WindowState state;
    state.setBoxValue(2, 1);  // nothing bound: the displays are stale
    state.setBoxValue(7, 1);
    RefreshDisplays(state, NumberFormat{});
    EXPECT_EQ(state.label1(), "00100001");
    EXPECT_EQ(state.label3(), "33");
}

struct EntryCase {
    std::string typed;
    std::string text1;
    std::string bits;
    std::string label3;
};

std::ostream& operator<<(std::ostream& out, const EntryCase& c)
{
    return out << '"' << c.typed << '"';
}

class DecimalEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(DecimalEntryTest, BoxesAndDisplaysFollowTheEntry)
{
    const EntryCase& c = GetParam();
    CountingState s;
    s.state.userEditsText1(c.typed);
    EXPECT_EQ(s.state.text1(), c.text1);
    EXPECT_EQ(BoxBits(s.state), c.bits);
    EXPECT_EQ(s.state.label1(), c.bits);
    EXPECT_EQ(s.state.label3(), c.label3);
}

INSTANTIATE_TEST_SUITE_P(Entries, DecimalEntryTest, testing::Values(
    EntryCase{"5", "5", "00000101", "5"}, EntryCase{"255", "255", "11111111", "255"},
    EntryCase{"256", "", "00000000", ""}, EntryCase{"999", "", "00000000", ""},
    EntryCase{"1e3", "", "00000000", ""}, EntryCase{"0", "0", "00000000", ""},
    EntryCase{"abc", "abc", "00000000", ""}, EntryCase{"-5", "-5", "00000000", ""},
    EntryCase{"1.5", "1.5", "00000001", "1"}, EntryCase{"&HF", "&HF", "00001111", "15"},
    EntryCase{"1 2", "1 2", "00001100", "12"}, EntryCase{"128", "128", "10000000", "128"},
    EntryCase{"1d2", "1d2", "01100100", "100"}, EntryCase{"2e2", "2e2", "11001000", "200"},
    EntryCase{".9", ".9", "00000000", ""}, EntryCase{"255.5", "255", "11111111", "255"}),
    [](const auto& info) { return testing_support::ParamName(info.param.typed, info.index); });

TEST(DecimalEntryTest, OverwritesBoxesClickedBefore)
{
    CountingState s;
    s.state.userClicksBox(0);
    s.state.userClicksBox(1);
    s.state.userEditsText1("3");
    EXPECT_EQ(BoxBits(s.state), "00000011");
    EXPECT_EQ(s.state.label3(), "3");
}

TEST(DecimalEntryCascade, TypingFiveRefreshesOncePerChangedBox)
{
    CountingState s;
    s.state.userEditsText1("5");
    EXPECT_EQ(s.refreshRuns, 2);
    EXPECT_EQ(s.decimalEntryRuns, 1);
}

TEST(DecimalEntryCascade, TypingTwoFiveFiveKeyByKey)
{
    CountingState s;
    s.type("255");
    EXPECT_EQ(s.decimalEntryRuns, 3);
    // '2' sets one box; '25' = 00011001 changes four; '255' = 11111111 changes five.
    EXPECT_EQ(s.refreshRuns, 1 + 4 + 5);
    EXPECT_EQ(s.state.label1(), "11111111");
    EXPECT_EQ(s.state.label3(), "255");
}

TEST(DecimalEntryCascade, ValueAboveRangeEmptiesEntryThroughOneNestedRun)
{
    CountingState s;
    s.type("25");
    s.resetCounts();
    s.state.userEditsText1("256");
    EXPECT_EQ(s.decimalEntryRuns, 2);  // the edit, and the nested run on the emptied entry
    EXPECT_EQ(s.refreshRuns, 3);       // 25 has three boxes checked, each unchecked once
    EXPECT_EQ(s.state.text1(), "");
    EXPECT_EQ(s.state.label1(), "00000000");
    EXPECT_EQ(s.state.label3(), "");
}

TEST(DecimalEntryCascade, UnchangedBoxesRaiseNothing)
{
    CountingState s;
    s.state.userEditsText1("5");
    s.resetCounts();
    s.state.userEditsText1("5.");
    EXPECT_EQ(s.refreshRuns, 0);
    EXPECT_EQ(s.state.label3(), "5");
}

struct SplitCase {
    std::string count;
    std::string colours;
};

std::ostream& operator<<(std::ostream& out, const SplitCase& c)
{
    return out << '"' << c.count << '"';
}

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, ColoursTheLeadingBoxes)
{
    CountingState s;
    s.state.userEditsText2(GetParam().count);
    EXPECT_EQ(BoxColours(s.state), GetParam().colours) << "count '" << GetParam().count << "'";
}

INSTANTIATE_TEST_SUITE_P(Counts, SplitTest, testing::Values(
    SplitCase{"3", "GGGYYYYY"}, SplitCase{"8", "GGGGGGGG"}, SplitCase{"100", "GGGGGGGG"},
    SplitCase{"1", "GYYYYYYY"}, SplitCase{"0", "YYYYYYYY"}, SplitCase{"-2", "YYYYYYYY"},
    SplitCase{"0.5", "YYYYYYYY"}, SplitCase{"2.5", "GGYYYYYY"}, SplitCase{"abc", "YYYYYYYY"},
    SplitCase{"3x", "YYYYYYYY"}, SplitCase{"1e300", "GGGGGGGG"}, SplitCase{"1e999", "YYYYYYYY"},
    SplitCase{" 7 ", "GGGGGGGY"}, SplitCase{"", "YYYYYYYY"}, SplitCase{"nan", "YYYYYYYY"}),
    [](const auto& info) { return testing_support::ParamName(info.param.count, info.index); });

TEST(SplitTest, FollowsTheLocaleSeparator)
{
    CountingState italian(NumberFormat{","});
    italian.state.userEditsText2("2,5");
    EXPECT_EQ(BoxColours(italian.state), "GGYYYYYY");
    italian.state.userEditsText2("2.5");
    EXPECT_EQ(BoxColours(italian.state), "YYYYYYYY");
}

TEST(SplitTest, EachChangeStartsFromYellow)
{
    CountingState s;
    s.state.userEditsText2("5");
    s.state.userEditsText2("2");
    EXPECT_EQ(BoxColours(s.state), "GGYYYYYY");
    s.state.userEditsText2("");
    EXPECT_EQ(BoxColours(s.state), "YYYYYYYY");
}

TEST(SplitTest, TouchesOnlyColours)
{
    CountingState s;
    s.state.userEditsText1("77");
    s.resetCounts();
    s.state.userEditsText2("4");
    EXPECT_EQ(s.state.text1(), "77");
    EXPECT_EQ(BoxBits(s.state), "01001101");
    EXPECT_EQ(s.state.label1(), "01001101");
    EXPECT_EQ(s.state.label3(), "77");
    EXPECT_EQ(s.refreshRuns + s.decimalEntryRuns, 0);
}

TEST(ClearTest, CancellaAfterTypedValue)
{
    CountingState s;
    s.type("200");
    s.state.userClicksCommand1();
    EXPECT_EQ(s.state.text1(), "");
    EXPECT_EQ(BoxBits(s.state), "00000000");
    EXPECT_EQ(s.state.label1(), "00000000");
    EXPECT_EQ(s.state.label3(), "");
}

TEST(ClearTest, CancellaAfterClickedBoxes)
{
    CountingState s;
    s.state.userClicksBox(0);
    s.state.userClicksBox(1);
    s.resetCounts();
    s.state.userClicksCommand1();
    EXPECT_EQ(s.refreshRuns, 2);        // once per checked box
    EXPECT_EQ(s.decimalEntryRuns, 0);   // the entry was already empty
    EXPECT_EQ(s.state.label1(), "00000000");
    EXPECT_EQ(s.state.label3(), "");
}

TEST(ClearTest, CancellaKeepsTheSplit)
{
    CountingState s;
    s.state.userEditsText2("4");
    s.type("9");
    s.state.userClicksCommand1();
    EXPECT_EQ(BoxColours(s.state), "GGGGYYYY");
    EXPECT_EQ(s.state.text2(), "4");
}

TEST(ClearTest, MouseClickInDecimalEntryEmptiesIt)
{
    CountingState s;
    s.type("17");
    s.state.userClicksText1();
    EXPECT_EQ(s.state.text1(), "");
    EXPECT_EQ(BoxBits(s.state), "00000000");
    EXPECT_EQ(s.state.label1(), "00000000");
    EXPECT_EQ(s.state.label3(), "");
}

TEST(ClearTest, MouseClickInEmptyEntryKeepsClickedBoxes)
{
    // Emptying an entry that is already empty changes nothing, so it runs nothing.
    CountingState s;
    s.state.userClicksBox(4);
    s.resetCounts();
    s.state.userClicksText1();
    EXPECT_EQ(s.decimalEntryRuns, 0);
    EXPECT_EQ(BoxBits(s.state), "00001000");
    EXPECT_EQ(s.state.label3(), "8");
}

TEST(LoadTest, ChangesNothing)
{
    CountingState s;
    s.state.loadForm1();
    EXPECT_EQ(BoxBits(s.state), "00000000");
    EXPECT_EQ(s.state.label1(), "00000000");
    EXPECT_EQ(s.state.label3(), "");
    EXPECT_EQ(s.refreshRuns + s.decimalEntryRuns, 0);
}

}  // namespace
}  // namespace quadrell
