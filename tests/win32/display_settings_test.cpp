// Black-box tests of the Windows program under the display settings its users choose: the system's
// colours, every scaling step, a larger desktop font. Its texts stay readable, keep their sizes
// and stay whole, read back from the screen. Each run needs its settings made before the program
// starts (display_settings.sh makes them in a prefix of their own); each checks it got them.
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "area_reading.h"
#include "button_look.h"
#include "contrast.h"
#include "designed_face.h"
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
using screenshots::Ink;

// The pixels of a rectangle of a control's client area, read from the screen in one copy.
struct Area {
    std::vector<Colour> pixels;
    int width = 0, height = 0;
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Area Capture(HWND control, RECT part)
{
    // Paints still pending are made first: the window paints only once its queue is empty.
    RedrawWindow(GetAncestor(control, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Area area{{}, part.right - part.left, part.bottom - part.top};
    POINT origin{part.left, part.top};
    ClientToScreen(control, &origin);
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.width, -area.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, area.width, area.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < area.width * area.height; ++i)  // 0x00RRGGBB to 0x00BBGGRR
        area.pixels.push_back(RGB(GetBValue(pixels[i]), GetGValue(pixels[i]), GetRValue(pixels[i])));
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
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

screenshots::PixelArea PixelsOf(const Area& area)
{
    return {area.pixels, area.width, area.height};
}

// The contrast of a control's text: its ink, the pixel farthest from the background, against
// the background, the commonest pixel.
double TextContrast(const Area& area)
{
    const screenshots::PixelArea pixels = PixelsOf(area);
    return screenshots::InkContrast(pixels, screenshots::Background(pixels));
}

// The ink of a text on its background: bounding box and the pixels and columns that hold ink.
Ink InkOf(const Area& area)
{
    const screenshots::PixelArea pixels = PixelsOf(area);
    return screenshots::InkOf(pixels, screenshots::Background(pixels), 2.0);
}

// The widest gap between two inked columns, and the narrowest run of ink: in evenly set digits
// the gaps are much narrower than the glyphs; letter-spaced digits have gaps as wide as a glyph.
std::pair<int, int> WidestGapAndNarrowestGlyph(const Ink& ink)
{
    int widestGap = 0, narrowestRun = 1 << 20, run = 0, gap = 0;
    for (int x = ink.left(); x <= ink.right() + 1; ++x) {
        const bool inked = x <= ink.right() && ink.inColumn(x);
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

// The width of the glyphs' upright strokes: the commonest run of ink across the text's middle
// row, where digits and capitals cross nothing but their stems.
int StemWidth(const Ink& ink)
{
    const int middle = ink.top() + ink.height() / 2;
    std::map<int, int> runs;
    int run = 0;
    for (int x = ink.left(); x <= ink.right() + 1; ++x) {
        if (x <= ink.right() && ink.at(x, middle)) {
            ++run;
        } else if (run) {
            ++runs[run];
            run = 0;
        }
    }
    if (runs.empty())
        return 0;
    return std::max_element(runs.begin(), runs.end(), [](auto a, auto b) { return a.second < b.second; })->first;
}

// A stroke is bold when it is at least a seventh of the text's height (a digit's or capital's stem
// is about an eighth of it in a regular sans, a fifth in a bold one), and never a single pixel.
bool LooksBold(const Ink& ink)
{
    const int stem = StemWidth(ink);
    return stem >= 2 && stem * 7 >= ink.height();
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dotsPerInch;
}

class DisplaySettingsTest : public StartedWindowTest {
protected:
    HWND control(Name name, int index = 0) const { return quadrell->control(name, index); }

    // Shows a value everywhere: "3" in the split entry, "200" in the decimal entry and display,
    // and "11001000" in the binary display.
    void showValues()
    {
        quadrell->click(control(Name::Text2));
        quadrell->type(L"3");
        quadrell->click(control(Name::Text1));
        quadrell->type(L"200");
        ASSERT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"200"; }));
        RemoteWindow::settle();
    }

    // Every text of the window: each with the part of its control that holds it.
    struct Text {
        const char* what;
        HWND control;
        RECT part;
    };
    std::vector<Text> everyText() const
    {
        std::vector<Text> texts;
        for (int k = 0; k < 8; ++k) {
            RECT caption = Inside(control(Name::Check1, k));
            caption.left += GetSystemMetrics(SM_CXMENUCHECK) + 1;  // the caption, right of the box
            texts.push_back({"bit box", control(Name::Check1, k), caption});
        }
        for (auto [what, name] : {std::pair{"Label1", Name::Label1}, {"Label3", Name::Label3}, {"Text1", Name::Text1},
                                  {"Text2", Name::Text2}, {"Label2", Name::Label2}, {"Label4", Name::Label4}})
            texts.push_back({what, control(name), Inside(control(name))});
        texts.push_back({"Command1", control(Name::Command1), Inside(control(Name::Command1), design::FocusInset + 1)});
        return texts;
    }

    // Every text must read at 4.5:1 and the outline stand out at 3:1.
    void expectEveryTextReadable()
    {
        showValues();
        quadrell->click(control(Name::Check1, 7));
        ASSERT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"201"; }));
        RemoteWindow::settle();
        double lowest = 21;
        const std::vector<Text> texts = everyText();
        ASSERT_EQ(texts.size(), 15u);
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

    // The texts in the designed bold faces, with the height of their ink at 96 dots per inch, where
    // they are drawn in the classic bitmap face, which is how they must stay there. At every other
    // scale the ink is taller than that, as tall as digits and capitals of the designed point size
    // (0.72 of the character height in a sans face: Arial 0.716, Tahoma 0.727) within the design's
    // tolerance (designed_face.h), and as bold. The binary display is read as it opens,
    // "00000000"; the others once they show a value.
    void expectDesignedTextsAtScale(int dotsPerInch, bool showingValues)
    {
        struct Designed {
            Name name;
            const char* what;
            int inkHeightAt96;
            double points;
            bool digits;  // evenly set digits: the gaps between them narrower than any of them
        };
        constexpr Designed Texts[] = {{Name::Label1, "Label1", 12, 13.5, true}, {Name::Label4, "Label4", 10, 9.75, false},
                                      {Name::Label3, "Label3", 12, 12, true}, {Name::Text1, "Text1", 9, 8.25, false}};
        for (const Designed& text : Texts) {
            if (text.name == Name::Label3 && !showingValues) {
                showValues();
                quadrell->press(VK_TAB);  // the caret away from the decimal entry
                RemoteWindow::settle();
            }
            RECT part = Inside(control(text.name));
            if (text.name == Name::Label4)  // the outline, painted beneath, crosses its right end
                part.right = design::ToPixels(design::Find(Name::Shape1).bounds.left, dotsPerInch)
                           - design::ToPixels(design::Find(Name::Label4).bounds.left, dotsPerInch);
            const Ink ink = InkOf(Capture(control(text.name), part));
            ASSERT_TRUE(ink.any()) << text.what;
            const double expected = text.points * dotsPerInch / 72 * 0.72;
            std::printf("%d dpi, %s: ink %d x %d px (%.1f expected), stem %d px\n", dotsPerInch, text.what,
                        ink.width(), ink.height(), expected, StemWidth(ink));
            if (dotsPerInch == 96) {
                EXPECT_EQ(ink.height(), text.inkHeightAt96) << text.what;
            } else {
                EXPECT_GT(ink.height(), text.inkHeightAt96) << text.what << " keeps its size at 100 %";
                EXPECT_NEAR(ink.height(), expected, expected * design::SizeTolerancePercent / 100) << text.what;
            }
            EXPECT_TRUE(LooksBold(ink)) << text.what << " is not bold";
            if (text.digits && !(text.name == Name::Label1 && showingValues)) {  // "11001000" is not even
                const auto [gap, glyph] = WidestGapAndNarrowestGlyph(ink);
                EXPECT_LT(gap, glyph) << text.what << ": the digits are spaced out";
            }
        }
    }
};

class Colours : public DisplaySettingsTest {};

TEST_F(Colours, StandardEveryTextIsReadable)
{
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0)) << "needs the standard system colours";
    expectEveryTextReadable();
}

// With white text on black the system's text colour would vanish on the design's light
// backgrounds.
TEST_F(Colours, WhiteOnBlackEveryTextIsReadable)
{
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0)) << "needs white-on-black system colours";
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(255, 255, 255)) << "needs white-on-black system colours";
    expectEveryTextReadable();
}

// The window at the screen's scale and with the desktop's font, as the user set them.
class AsSetUp : public DisplaySettingsTest {};

// The designed bold texts keep their point size at every scale, in a bold face, the digits
// evenly set.
TEST_F(AsSetUp, DesignedTextsKeepTheirSize)
{
    expectDesignedTextsAtScale(ScreenDpi(), false);
}

// "Cancella" stands in the middle of its button, with the focus on it too, and moves with the
// pressed face.
TEST_F(AsSetUp, CancellaIsCentred)
{
    HWND button = control(Name::Command1);
    const RECT inside = Inside(button, design::FocusInset + 1);  // clear of the edge and the focus
    const auto inkNow = [&] { return InkOf(Capture(button, inside)); };
    const auto expectCentred = [&](const Ink& ink, const char* when) {
        ASSERT_TRUE(ink.any()) << when;
        const int leftGap = ink.left(), rightGap = (inside.right - inside.left) - 1 - ink.right();
        std::printf("%s: caption %d px from the left, %d from the right\n", when, leftGap, rightGap);
        EXPECT_LE(std::abs(leftGap - rightGap), 2) << when;
    };
    const Ink resting = inkNow();
    expectCentred(resting, "without focus");

    quadrell->click(control(Name::Text2));
    quadrell->press(VK_TAB);
    ASSERT_EQ(quadrell->focusWhenItReaches(button), button);
    expectCentred(inkNow(), "with focus");

    quadrell->holdMouseDown(button);
    EXPECT_TRUE(RemoteWindow::waitUntil([&] { return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }));
    RemoteWindow::settle();
    const Ink pressed = inkNow();
    quadrell->releaseMouse();
    const int shift = design::ButtonLookOf(true).captionShift;
    EXPECT_EQ(pressed.left() - resting.left(), shift) << "pressed";
    EXPECT_EQ(pressed.top() - resting.top(), shift) << "pressed";
}

// Every caption in the desktop's font is whole: its ink stays inside its control's room for
// text and leaves the control's last column clear.
TEST_F(AsSetUp, EveryCaptionIsWhole)
{
    quadrell->click(control(Name::Text2));
    quadrell->type(L"8");  // the widest count the split entry holds
    RemoteWindow::settle();
    for (const Text& text : everyText()) {
        const design::Control* design = nullptr;
        for (const design::Control& each : design::Form1Controls)
            if (control(each.name, each.index) == text.control)
                design = &each;
        if (!design || !design::TakesDesktopFont(*design))
            continue;
        // The button's room for its caption is inside its edge; no focus is drawn there now.
        const RECT part = design->kind == design::Kind::PushButton ? Inside(text.control, 2) : text.part;
        const Area area = Capture(text.control, part);
        const Ink ink = InkOf(area);
        ASSERT_TRUE(ink.any()) << text.what;
        EXPECT_LT(ink.right(), area.width - 1) << text.what << " " << design->caption << ": ink on the last column";
        EXPECT_GT(ink.top(), 0) << text.what << " " << design->caption << ": cut at the top";
        EXPECT_LT(ink.bottom(), area.height - 1) << text.what << " " << design->caption << ": cut at the bottom";
    }
}

// With a larger desktop font than the standard 8 points, the captions are still whole (the runs
// that set one check they got it).
TEST_F(AsSetUp, LargerDesktopFontIsInUse)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const double points = std::abs(metrics.lfMessageFont.lfHeight) * 72.0 / ScreenDpi();
    std::printf("desktop message font: %ls, %.1f pt\n", metrics.lfMessageFont.lfFaceName, points);
    EXPECT_GE(points, 9.0) << "needs a desktop font larger than the standard";
}

// A window moved to a monitor of another scale hears WM_DPICHANGED with the new resolution and the
// frame the system suggests; every control must then stand where the design puts it there, and
// the designed texts take the sizes a start at that scale gives them.
class MovedToAnotherScale : public DisplaySettingsTest {
protected:
    void moveTo(int dotsPerInch)
    {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(quadrell->window(), GWL_STYLE));
        RECT place;
        GetWindowRect(quadrell->window(), &place);
        RECT suggested{0, 0, design::ToPixels(design::Form1.clientWidth, dotsPerInch),
                       design::ToPixels(design::Form1.clientHeight, dotsPerInch)};
        AdjustWindowRectEx(&suggested, style, FALSE, 0);
        OffsetRect(&suggested, place.left - suggested.left, place.top - suggested.top);
        // The message's rectangle is not carried across processes: it is written into the
        // program's own memory, where the system would have put it.
        DWORD processId = 0;
        GetWindowThreadProcessId(quadrell->window(), &processId);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
        ASSERT_TRUE(process);
        void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
        ASSERT_TRUE(remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
        SendMessageW(quadrell->window(), WM_DPICHANGED, MAKEWPARAM(dotsPerInch, dotsPerInch),
                     reinterpret_cast<LPARAM>(remote));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        RemoteWindow::settle();
    }
};

TEST_F(MovedToAnotherScale, EveryControlIsPlacedAgainAndEveryTextSizedAgain)
{
    constexpr int NewDpi = 144;
    ASSERT_EQ(ScreenDpi(), 96) << "starts at 96 dots per inch";
    moveTo(NewDpi);

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
    expectDesignedTextsAtScale(NewDpi, false);
    // Back where it started, exactly its sizes there.
    moveTo(96);
    expectDesignedTextsAtScale(96, true);

    // The window still works after the moves.
    quadrell->click(control(Name::Check1, 0));
    EXPECT_TRUE(RemoteWindow::waitUntil([&] { return quadrell->text(Name::Label3) == L"72"; }));
}

}  // namespace
}  // namespace quadrell::win32_testing
