// Black-box tests of the Windows program: each test starts quadrell.exe, finds its window from
// outside, sends real mouse and keyboard input and checks what the window shows.
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "heard_words.h"
#include "remote_window.h"
#include "started_window_test.h"
#include "window_scenarios.h"

namespace quadrell::win32_testing {

void PrepareTestProgram(int, wchar_t**) {}

namespace {

using design::Name;

constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF LightGreen = RGB(192, 255, 192);
constexpr COLORREF PaleYellow = RGB(255, 255, 192);
constexpr COLORREF LightBlue = RGB(192, 192, 255);
constexpr COLORREF DarkBlue = RGB(0, 0, 192);

// The window's texts are digits and Latin letters: each character stands for itself either way.
std::wstring Wide(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

std::string Ascii(const std::wstring& text)
{
    std::string ascii;
    for (const wchar_t c : text)
        ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}

// A point of a bit box's coloured area, right of its caption.
POINT BesideCaption(HWND box)
{
    RECT inside;
    GetClientRect(box, &inside);
    return {inside.right - 2, inside.bottom / 2};
}

COLORREF BoxColour(const RemoteWindow& quadrell, int k)
{
    HWND box = quadrell.control(Name::Check1, k);
    const POINT at = BesideCaption(box);
    return quadrell.pixel(box, at.x, at.y);
}

void PutOnClipboard(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

class WindowsGuiTest : public StartedWindowTest {};

TEST_F(WindowsGuiTest, StartsAsDesigned)
{
    EXPECT_EQ(quadrell->text(quadrell->window()), L"Quadrell");
    RECT client;
    GetClientRect(quadrell->window(), &client);
    EXPECT_EQ(client.right, 351);
    EXPECT_EQ(client.bottom, 213);

    for (int k = 0; k < 8; ++k) {
        HWND box = quadrell->control(Name::Check1, k);
        EXPECT_EQ(quadrell->text(box), std::to_wstring(k));
        const RECT place = quadrell->placeInClientArea(box);
        EXPECT_EQ(place.left, 16 + 40 * k);
        EXPECT_EQ(place.top, 80);
        EXPECT_EQ(place.right - place.left, 33);
    }
    EXPECT_EQ(quadrell->text(Name::Label2), L"Split");
    EXPECT_EQ(quadrell->text(Name::Label4), L"ASCII:");
    EXPECT_EQ(quadrell->text(Name::Command1), L"Cancella");
    EXPECT_EQ(SendMessageW(quadrell->control(Name::Text1), EM_GETLIMITTEXT, 0, 0), 3);

    EXPECT_EQ(quadrell->pixel(quadrell->control(Name::Label1), 3, 3), PaleYellow);
    EXPECT_EQ(quadrell->pixel(quadrell->control(Name::Label3), 3, 3), LightGreen);
    EXPECT_EQ(quadrell->pixel(quadrell->control(Name::Command1), 6, 4), LightBlue);
    EXPECT_EQ(quadrell->pixel(quadrell->window(), 256, 150), DarkBlue);  // the outline's left edge
}

TEST_F(WindowsGuiTest, EachEntryFollowsItsCaption)
{
    // Screen readers name an edit control after the label just before it among its siblings.
    EXPECT_EQ(GetWindow(quadrell->control(Name::Text1), GW_HWNDPREV), quadrell->control(Name::Label4));
    EXPECT_EQ(GetWindow(quadrell->control(Name::Text2), GW_HWNDPREV), quadrell->control(Name::Label2));
}

// Plays a scenario of the shared table on the running program, with real input from outside.
class WindowsScenario : public StartedWindowTest, public testing::WithParamInterface<scenarios::Scenario> {
protected:
    void SetUp() override
    {
        StartedWindowTest::SetUp();
        ASSERT_TRUE(quadrell && quadrell->found());
        heard = std::make_unique<HeardWords>(quadrell->window());
        ASSERT_TRUE(heard->hooked());
        heard->take();  // the window's activation is no step of the scenario
    }

    HWND control(scenarios::Target target) const { return quadrell->control(target.name, target.index); }

    void act(const scenarios::Step& step)
    {
        switch (step.action) {
        case scenarios::Action::Look: break;
        case scenarios::Action::Click: quadrell->click(control(*step.target)); break;
        case scenarios::Action::ClickBesideCaption: {
            HWND box = control(*step.target);
            const POINT at = BesideCaption(box);
            quadrell->clickAt(box, at.x, at.y);
            break;
        }
        case scenarios::Action::Type: quadrell->type(Wide(step.text)); break;
        case scenarios::Action::Paste:
            PutOnClipboard(Wide(step.text));
            quadrell->pressWithControl('V');
            break;
        case scenarios::Action::Tab: quadrell->press(VK_TAB); break;
        case scenarios::Action::ShiftTab: quadrell->press(VK_TAB, true); break;
        case scenarios::Action::Space: quadrell->press(VK_SPACE); break;
        }
    }

    scenarios::Shown shown()
    {
        std::string colours;
        for (int k = 0; k < 8; ++k) {
            const COLORREF colour = BoxColour(*quadrell, k);
            colours += colour == Yellow ? 'Y' : colour == LightGreen ? 'G' : '?';
        }
        return {Ascii(quadrell->boxBits()), Ascii(quadrell->text(Name::Label1)), Ascii(quadrell->text(Name::Label3)),
                Ascii(quadrell->text(Name::Text1)), Ascii(quadrell->text(Name::Text2)), colours,
                scenarios::JoinHeard(heardInStep)};
    }

    // Input is taken in some time after it was sent, longer on a slow machine: waits until the
    // window shows what is expected, lets it take in anything still on its way, then checks.
    void expectShown(const scenarios::Shows& expected)
    {
        if (expected.focus) {
            EXPECT_EQ(quadrell->focusWhenItReaches(control(*expected.focus)), control(*expected.focus));
        }
        RemoteWindow::waitUntil([&] {
            takeHeard();
            return scenarios::Matches(shown(), expected);
        });
        takeHeard();
        scenarios::ExpectMatches(shown(), expected);
    }

    void takeHeard()
    {
        for (std::string& words : heard->take())
            heardInStep.push_back(std::move(words));
    }

    std::unique_ptr<HeardWords> heard;
    std::vector<std::string> heardInStep;  // what the current step made screen readers say
};

TEST_P(WindowsScenario, ShowsWhatTheTableSays)
{
    const std::vector<scenarios::Step>& steps = GetParam().steps;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        SCOPED_TRACE("step " + std::to_string(at + 1));
        heardInStep.clear();
        act(steps[at]);
        expectShown(steps[at].shows);
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WindowsScenario, testing::ValuesIn(scenarios::WindowScenarios),
                         [](const testing::TestParamInfo<scenarios::Scenario>& info) { return info.param.name; });

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
    EXPECT_TRUE(RemoteWindow::waitUntil([&] { return BoxColour(quadrell, 1) == LightGreen; }));
    EXPECT_EQ(BoxColour(quadrell, 0), LightGreen);
    EXPECT_EQ(BoxColour(quadrell, 2), Yellow);
    EXPECT_EQ(quadrell.closeAndWait(), 0);
}

}  // namespace
}  // namespace quadrell::win32_testing
