// Black-box tests of the Windows program under other display settings than the standard light
// scheme at 96 dots per inch: its texts stay readable in the system's colours and keep their sizes
// at every scale. Each suite needs its settings made before the program starts
// (display_settings.sh makes them in a prefix of their own); each checks it got them.
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contrast.h"
#include "remote_window.h"
#include "started_window_test.h"

namespace quadrell::win32_testing {

// Screen coordinates and resolution as they are, not scaled for a program unaware of them.
void PrepareTestProgram(int, wchar_t**)
{
    SetProcessDPIAware();
}

namespace {

using design::Name;

// The pixels of a rectangle of a control's client area, read from the screen.
struct Area {
    std::vector<COLORREF> pixels;
    int width = 0, height = 0;
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Area Capture(HWND control, RECT part)
{
    Area area{{}, part.right - part.left, part.bottom - part.top};
    POINT origin{part.left, part.top};
    ClientToScreen(control, &origin);
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            area.pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return area;
}

RECT Inside(HWND control, int inset = 0)
{
    RECT inside;
    GetClientRect(control, &inside);
    InflateRect(&inside, -inset, -inset);
    return inside;
}

COLORREF MostCommon(const Area& area)
{
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : area.pixels)
        ++counts[pixel];
    return std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first;
}

// The contrast of a control's text: its ink, the pixel farthest from the background, against
// the background, the commonest pixel.
double TextContrast(const Area& area)
{
    const COLORREF background = MostCommon(area);
    double best = 1;
    for (COLORREF pixel : area.pixels)
        best = std::max(best, design::ContrastRatio(pixel, background));
    return best;
}

// The ink of a text on its background: bounding box and the columns that hold ink.
struct Ink {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    std::vector<bool> columns;
    int height() const { return bottom - top + 1; }
    int width() const { return right - left + 1; }
};

Ink InkOf(const Area& area)
{
    const COLORREF background = MostCommon(area);
    Ink ink;
    ink.columns.assign(static_cast<std::size_t>(area.width), false);
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            if (design::ContrastRatio(area.at(x, y), background) >= 2.0) {
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
                ink.columns[static_cast<std::size_t>(x)] = true;
            }
    return ink;
}

// The widest gap between two inked columns, and the narrowest run of ink: in evenly set digits
// the gaps are much narrower than the glyphs; letter-spaced digits have gaps as wide as a glyph.
std::pair<int, int> WidestGapAndNarrowestGlyph(const Ink& ink)
{
    int widestGap = 0, narrowestRun = 1 << 20, run = 0, gap = 0;
    for (int x = ink.left; x <= ink.right + 1; ++x) {
        const bool inked = x <= ink.right && ink.columns[static_cast<std::size_t>(x)];
        if (inked) {
            if (gap)
                widestGap = std::max(widestGap, gap);
            gap = 0;
            ++run;
        } else {
            if (run)
                narrowestRun = std::min(narrowestRun, run);
            run = 0;
            ++gap;
        }
    }
    return {widestGap, narrowestRun};
}

class DisplaySettingsTest : public StartedWindowTest {
protected:
    HWND control(Name name, int index = 0) const { return quadrell->control(name, index); }
};

// With white text on black the system's text colour would vanish on the design's light
// backgrounds: every text must still read at 4.5:1 and the outline stand out at 3:1.
TEST_F(DisplaySettingsTest, WhiteOnBlackEveryTextIsReadable)
{
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0)) << "needs white-on-black system colours";
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(255, 255, 255)) << "needs white-on-black system colours";
    quadrell->click(control(Name::Text2));
    quadrell->type(L"3");
    quadrell->click(control(Name::Text1));
    quadrell->type(L"200");
    ASSERT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"200"; }));
    quadrell->click(control(Name::Check1, 7));
    ASSERT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"201"; }));
    RemoteWindow::settle();

    struct Text {
        const char* what;
        HWND control;
        RECT part;
    };
    std::vector<Text> texts;
    for (int k = 0; k < 8; ++k) {
        RECT caption = Inside(control(Name::Check1, k));
        caption.left += GetSystemMetrics(SM_CXMENUCHECK) + 1;  // the caption, right of the box
        texts.push_back({"bit box", control(Name::Check1, k), caption});
    }
    for (auto [what, name] : {std::pair{"Label1", Name::Label1}, {"Label3", Name::Label3}, {"Text1", Name::Text1},
                              {"Label2", Name::Label2}, {"Label4", Name::Label4}})
        texts.push_back({what, control(name), Inside(control(name))});
    texts.push_back({"Command1", control(Name::Command1), Inside(control(Name::Command1), 4)});

    double lowest = 21;
    for (const Text& text : texts) {
        const double contrast = TextContrast(Capture(text.control, text.part));
        lowest = std::min(lowest, contrast);
        EXPECT_GE(contrast, design::ReadableTextContrast) << text.what;
    }
    // The outline's left edge against the window just outside it.
    const RECT shape = {256, 128, 256 + 65, 128 + 81};
    const Area edge = Capture(quadrell->window(), {shape.left - 2, 150, shape.left + 1, 151});
    const double outline = design::ContrastRatio(edge.at(2, 0), edge.at(0, 0));
    EXPECT_GE(outline, design::VisibleLineContrast);
    std::printf("lowest text contrast %.2f, outline contrast %.2f\n", lowest, outline);
}

// The designed texts keep their point size at every scale: the ink of "00000000" in Label1 and of
// the digits in Label3 is as tall as digits of that size, about 0.72 of the character height in a
// sans face (Arial 0.716, Tahoma 0.727), within 15%; and the digits are set evenly, not spaced out.
TEST_F(DisplaySettingsTest, DesignedTextsKeepTheirSizeAtTheScreensScale)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    constexpr double DigitShare = 0.72;
    for (auto [name, points] : {std::pair{Name::Label1, 13.5}, {Name::Label3, 12.0}}) {
        if (name == Name::Label3) {  // Label1 shows "00000000" from the start; Label3 needs a value
            quadrell->click(control(Name::Text1));
            quadrell->type(L"200");
            ASSERT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"200"; }));
            RemoteWindow::settle();
        }
        const Ink ink = InkOf(Capture(control(name), Inside(control(name))));
        const double expected = points * dotsPerInch / 72 * DigitShare;
        const auto [gap, glyph] = WidestGapAndNarrowestGlyph(ink);
        std::printf("%d dpi, %s: ink %d x %d px (digits of %.1f px expected), widest gap %d, narrowest glyph %d\n",
                    dotsPerInch, name == Name::Label1 ? "Label1" : "Label3", ink.width(), ink.height(), expected, gap,
                    glyph);
        EXPECT_NEAR(ink.height(), expected, 0.15 * expected) << (name == Name::Label1 ? "Label1" : "Label3");
        EXPECT_LT(gap, glyph) << "the digits are spaced out";
    }
}

// A window moved to a monitor of another scale hears WM_DPICHANGED with the new resolution and the
// frame the system suggests; every control must then stand where the design puts it there.
TEST_F(DisplaySettingsTest, MovedToAnotherScaleEveryControlIsPlacedAgain)
{
    constexpr int NewDpi = 144;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(quadrell->window(), GWL_STYLE));
    RECT place;
    GetWindowRect(quadrell->window(), &place);
    RECT suggested{0, 0, design::ToPixels(design::Form1.clientWidth, NewDpi),
                   design::ToPixels(design::Form1.clientHeight, NewDpi)};
    AdjustWindowRectEx(&suggested, style, FALSE, 0);
    OffsetRect(&suggested, place.left - suggested.left, place.top - suggested.top);
    // The message's rectangle is not carried across processes: it is written into the program's own
    // memory, where the system would have put it.
    DWORD processId = 0;
    GetWindowThreadProcessId(quadrell->window(), &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    ASSERT_TRUE(process);
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
    SendMessageW(quadrell->window(), WM_DPICHANGED, MAKEWPARAM(NewDpi, NewDpi), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    RemoteWindow::settle();

    RECT client;
    GetClientRect(quadrell->window(), &client);
    EXPECT_EQ(client.right, design::ToPixels(design::Form1.clientWidth, NewDpi));
    EXPECT_EQ(client.bottom, design::ToPixels(design::Form1.clientHeight, NewDpi));
    for (const design::Control& each : design::Form1Controls) {
        if (each.kind == design::Kind::Shape)
            continue;
        const RECT at = quadrell->placeInClientArea(control(each.name, each.index));
        const design::Rect& b = each.bounds;
        EXPECT_EQ(at.left, design::ToPixels(b.left, NewDpi)) << each.caption;
        EXPECT_EQ(at.top, design::ToPixels(b.top, NewDpi)) << each.caption;
        EXPECT_EQ(at.right - at.left, design::ToPixels(b.width, NewDpi)) << each.caption;
        EXPECT_EQ(at.bottom - at.top, design::ToPixels(b.height, NewDpi)) << each.caption;
    }
    // The window still works at its new scale.
    quadrell->click(control(Name::Check1, 0));
    EXPECT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"128"; }));
}

}  // namespace
}  // namespace quadrell::win32_testing
