// Black-box tests of the Windows program: each test starts quadrell.exe, finds its window from
// outside, sends real mouse and keyboard input and checks what the window shows.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "remote_window.h"
#include "started_window_test.h"

namespace quadrell::win32_testing {

std::wstring ProgramPath;  // set by main from the command line

namespace {

using design::Name;

constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF LightGreen = RGB(192, 255, 192);
constexpr COLORREF PaleYellow = RGB(255, 255, 192);
constexpr COLORREF LightBlue = RGB(192, 192, 255);
constexpr COLORREF DarkBlue = RGB(0, 0, 192);

class WindowsGuiTest : public StartedWindowTest {
protected:
    HWND box(int k) const { return quadrell->control(Name::Check1, k); }
    HWND text1() const { return quadrell->control(Name::Text1); }
    HWND text2() const { return quadrell->control(Name::Text2); }
    HWND cancella() const { return quadrell->control(Name::Command1); }

    // A point of a bit box's coloured area, right of its caption.
    COLORREF boxColour(int k) const
    {
        RECT inside;
        GetClientRect(box(k), &inside);
        return quadrell->pixel(box(k), inside.right - 2, inside.bottom / 2);
    }

    bool showsByte(const std::wstring& bits, const std::wstring& decimal) const
    {
        return quadrell->boxBits() == bits && quadrell->text(Name::Label1) == bits
            && quadrell->text(Name::Label3) == decimal;
    }
};

TEST_F(WindowsGuiTest, StartsAsDesigned)
{
    EXPECT_EQ(quadrell->text(quadrell->window()), L"Quadrell");
    RECT client;
    GetClientRect(quadrell->window(), &client);
    EXPECT_EQ(client.right, 351);
    EXPECT_EQ(client.bottom, 213);

    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(quadrell->text(box(k)), std::to_wstring(k));
        const RECT place = quadrell->placeInClientArea(box(k));
        EXPECT_EQ(place.left, 16 + 40 * k);
        EXPECT_EQ(place.top, 80);
        EXPECT_EQ(place.right - place.left, 33);
        EXPECT_EQ(boxColour(k), Yellow) << "box " << k;
    }
    EXPECT_EQ(quadrell->boxBits(), L"00000000");
    EXPECT_EQ(quadrell->text(Name::Label1), L"00000000");
    EXPECT_EQ(quadrell->text(Name::Label3), L"");
    EXPECT_EQ(quadrell->text(Name::Text1), L"");
    EXPECT_EQ(quadrell->text(Name::Text2), L"");
    EXPECT_EQ(quadrell->text(Name::Label2), L"Split");
    EXPECT_EQ(quadrell->text(Name::Label4), L"ASCII:");
    EXPECT_EQ(quadrell->text(cancella()), L"Cancella");
    EXPECT_EQ(SendMessageW(text1(), EM_GETLIMITTEXT, 0, 0), 3);

    EXPECT_EQ(quadrell->pixel(quadrell->control(Name::Label1), 3, 3), PaleYellow);
    EXPECT_EQ(quadrell->pixel(quadrell->control(Name::Label3), 3, 3), LightGreen);
    EXPECT_EQ(quadrell->pixel(cancella(), 6, 4), LightBlue);
    EXPECT_EQ(quadrell->pixel(quadrell->window(), 256, 150), DarkBlue);  // the outline's left edge
    EXPECT_EQ(quadrell->focusWhenItReaches(box(0)), box(0));
}

TEST_F(WindowsGuiTest, EachEntryFollowsItsCaption)
{
    // Screen readers name an edit control after the label just before it among its siblings.
    EXPECT_EQ(GetWindow(text1(), GW_HWNDPREV), quadrell->control(Name::Label4));
    EXPECT_EQ(GetWindow(text2(), GW_HWNDPREV), quadrell->control(Name::Label2));
}

TEST_F(WindowsGuiTest, BoxClicksShowInBothDisplays)
{
    quadrell->click(box(0));
    RECT inside;
    GetClientRect(box(7), &inside);
    quadrell->clickAt(box(7), inside.right - 2, inside.bottom / 2);  // right of the caption: still the box
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"10000001", L"129"); }))
        << "boxes " << testing::PrintToString(quadrell->boxBits());
    quadrell->press(VK_SPACE);  // box 7 has the focus
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"10000000", L"128"); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"");
}

TEST_F(WindowsGuiTest, TypedValuesSetTheBoxes)
{
    quadrell->click(text1());
    quadrell->type(L"5");
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00000101", L"5"); }));
    quadrell->type(L"0");
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00110010", L"50"); }));
    quadrell->type(L"0");  // 500 is above a byte: the entry empties
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00000000", L""); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"");
}

TEST_F(WindowsGuiTest, DecimalEntryTakesThreeCharactersTypedOrPasted)
{
    quadrell->click(text1());
    quadrell->type(L"1234");
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"01111011", L"123"); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"123");

    quadrell->click(text1());  // a click empties the entry
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::wstring pasted = L"2009";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::copy_n(pasted.c_str(), pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    quadrell->pressWithControl('V');
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"11001000", L"200"); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"200");

    quadrell->click(text2());
    quadrell->type(L"123456789");
    EXPECT_TRUE(quadrell->waitUntil([&] { return quadrell->text(Name::Text2) == L"123456789"; }));
}

TEST_F(WindowsGuiTest, SplitColoursTheLeadingBoxes)
{
    quadrell->click(text2());
    quadrell->type(L"3");
    EXPECT_TRUE(quadrell->waitUntil([&] { return boxColour(2) == LightGreen && boxColour(3) == Yellow; }));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(boxColour(k), k < 3 ? LightGreen : Yellow) << "box " << k;
    quadrell->type(L"x");  // "3x" is no number
    EXPECT_TRUE(quadrell->waitUntil([&] { return boxColour(0) == Yellow; }));
}

TEST_F(WindowsGuiTest, CancellaClearsTheByteAndKeepsTheSplit)
{
    quadrell->click(text2());
    quadrell->type(L"4");
    quadrell->click(text1());
    quadrell->type(L"200");
    ASSERT_TRUE(quadrell->waitUntil([&] { return showsByte(L"11001000", L"200"); }));
    quadrell->click(cancella());
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00000000", L""); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"");
    EXPECT_EQ(boxColour(3), LightGreen);
    EXPECT_EQ(boxColour(4), Yellow);

    quadrell->click(box(1));
    quadrell->press(VK_TAB, true);  // Shift+Tab from box 1 to box 0
    EXPECT_EQ(quadrell->focusWhenItReaches(box(0)), box(0));
    quadrell->press(VK_TAB, true);  // and around, backwards, to Cancella
    EXPECT_EQ(quadrell->focusWhenItReaches(cancella()), cancella());
    quadrell->press(VK_SPACE);
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00000000", L""); }));
}

TEST_F(WindowsGuiTest, MouseClickInDecimalEntryClearsButTabDoesNot)
{
    quadrell->click(text1());
    quadrell->type(L"17");
    ASSERT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00010001", L"17"); }));
    quadrell->press(VK_TAB, true);  // back to box 7
    EXPECT_EQ(quadrell->focusWhenItReaches(box(7)), box(7));
    quadrell->press(VK_TAB);        // into the entry by keyboard
    EXPECT_EQ(quadrell->focusWhenItReaches(text1()), text1());
    RemoteWindow::settle();
    EXPECT_EQ(quadrell->text(Name::Text1), L"17");
    EXPECT_TRUE(showsByte(L"00010001", L"17"));

    quadrell->click(text1());
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"00000000", L""); }));
    EXPECT_EQ(quadrell->text(Name::Text1), L"");
}

TEST_F(WindowsGuiTest, TabWalksTheFocusOrder)
{
    ASSERT_EQ(quadrell->focusWhenItReaches(box(0)), box(0));
    for (int k = 1; k < 8; ++k) {
        quadrell->press(VK_TAB);
        EXPECT_EQ(quadrell->focusWhenItReaches(box(k)), box(k));
    }
    for (HWND next : {text1(), text2(), cancella(), box(0)}) {
        quadrell->press(VK_TAB);
        EXPECT_EQ(quadrell->focusWhenItReaches(next), next);
    }
    quadrell->press(VK_SPACE);  // toggles the focused box
    EXPECT_TRUE(quadrell->waitUntil([&] { return showsByte(L"10000000", L"128"); }));
}

// The split count follows the user's regional settings: with Italian ones "2,5" is two and a half.
// Run on its own with Italian settings (under Wine: LC_ALL=it_IT.UTF-8), which the program inherits.
TEST(WindowsRegionalSettings, ItalianReadsCommaDecimals)
{
    wchar_t separator[8] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    ASSERT_EQ(std::wstring(separator), L",") << "needs regional settings with a decimal comma";
    RemoteWindow quadrell(ProgramPath);
    ASSERT_TRUE(quadrell.found());
    quadrell.clickAt(quadrell.window(), 4, 4);
    quadrell.click(quadrell.control(Name::Text2));
    quadrell.type(L"2,5");
    HWND third = quadrell.control(Name::Check1, 2);
    RECT inside;
    GetClientRect(third, &inside);
    const auto colourOf = [&](int k) {
        return quadrell.pixel(quadrell.control(Name::Check1, k), inside.right - 2, inside.bottom / 2);
    };
    EXPECT_TRUE(RemoteWindow::waitUntil([&] { return colourOf(1) == LightGreen; }));
    EXPECT_EQ(colourOf(0), LightGreen);
    EXPECT_EQ(colourOf(2), Yellow);
    EXPECT_EQ(quadrell.closeAndWait(), 0);
}

}  // namespace
}  // namespace quadrell::win32_testing

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_tests PATH\\TO\\quadrell.exe [gtest options]\n");
        return 2;
    }
    quadrell::win32_testing::ProgramPath = argv[1];
    return RUN_ALL_TESTS();
}
