// Checks a screenshot of the Quadrell window's client area, as the desktop's theme painted it:
// every caption and value is readable on its background and whole inside its control, and the
// boxes the user checked show a visible mark.
//
//   theme_check points SCALE               prints where to click: NAME X Y, one a line
//   theme_check check SHOT.png SCALE BITS  BITS: each box, "1" checked or "0" clear, from the left (the most significant bit)
//
// SCALE is the device pixel ratio the window was drawn at. Exits 1 when a check fails.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include <QImage>
#include <QRect>

#include "area_reading.h"
#include "contrast.h"
#include "form_design.h"

namespace {

using quadrell::Colour;
using namespace quadrell::design;
using namespace quadrell::screenshots;

// Pixels this far from the background are ink, antialiased edges included.
constexpr double InkAtLeast = 1.25;

struct Area {
    std::string name;
    QRect rect;
    bool checkLeftEdge;  // centred captions may spill over either edge, left-aligned ones at the right
};

QRect PixelsOf(const Rect& bounds, int scale)
{
    const auto px = [&](int twips) { return ToPixels(twips, 96) * scale; };
    return {px(bounds.left), px(bounds.top), px(bounds.width), px(bounds.height)};
}

// Where a control's caption or value is drawn: a bit box's right of its square (which is no wider
// than the box is tall), an entry's inside its frame, the button's inside its raised edge.
QRect CaptionRect(const Control& control, int scale)
{
    const QRect r = PixelsOf(control.bounds, scale);
    switch (control.kind) {
    case Kind::CheckBox: return r.adjusted(r.height(), 0, 0, 0);
    case Kind::TextEntry: return r.adjusted(3 * scale, 3 * scale, -3 * scale, -3 * scale);
    case Kind::PushButton: return r.adjusted(2 * scale, 2 * scale, -2 * scale, -2 * scale);
    case Kind::Label:
    case Kind::Shape: break;
    }
    return r;
}

// The inside of a bit box's square, where its check mark is drawn.
QRect MarkRect(const Control& box, int scale)
{
    const QRect r = PixelsOf(box.bounds, scale);
    const int side = r.height();
    return QRect(r.left(), r.top(), side, side).adjusted(4 * scale, 4 * scale, -4 * scale, -4 * scale);
}

Colour At(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return static_cast<Colour>(qRed(p)) | static_cast<Colour>(qGreen(p)) << 8 | static_cast<Colour>(qBlue(p)) << 16;
}

// Whether a pixel lies on the outline that frames the decimal entry and display; its line crosses
// the edge of the "ASCII:" caption and is no part of any caption.
bool OnOutline(int x, int y, int scale)
{
    const QRect r = PixelsOf(Find(Name::Shape1).bounds, scale);
    const QRect inside = r.adjusted(scale, scale, -scale, -scale);
    return r.contains(x, y) && !inside.contains(x, y);
}

// The pixels of `rect`, those on the outline left out.
PixelArea PixelsIn(const QImage& image, const QRect& rect, int scale)
{
    return PixelArea(rect.width(), rect.height(), [&](int x, int y) -> std::optional<Colour> {
        const QPoint at = rect.topLeft() + QPoint(x, y);
        if (OnOutline(at.x(), at.y(), scale))
            return std::nullopt;
        return At(image, at.x(), at.y());
    });
}

struct Measure {
    Colour background = 0;
    double contrast = 1;  // of the ink farthest from the background
    int ink = 0;
    bool leftTouched = false, rightTouched = false;
};

Measure MeasureArea(const QImage& image, const QRect& rect, int scale)
{
    Measure m;
    m.background = Background(PixelsIn(image, rect, scale));
    QRect inked = rect;
    while (inked.right() > rect.left() && OnOutline(inked.right(), rect.center().y(), scale))
        inked.setRight(inked.right() - 1);  // the caption's last column is the one left of the outline
    const PixelArea pixels = PixelsIn(image, inked, scale);
    m.contrast = InkContrast(pixels, m.background);
    const Ink ink = InkOf(pixels, m.background, InkAtLeast);
    m.ink = ink.count();
    m.leftTouched = ink.any() && ink.left() == 0;
    m.rightTouched = ink.any() && ink.right() == pixels.width() - 1;
    return m;
}

int Points(int scale)
{
    const auto centre = [&](Name name, int index = 0) { return PixelsOf(Find(name, index).bounds, scale).center(); };
    for (const auto& [name, index] : {std::pair{Name::Text1, 0}, {Name::Text2, 0}, {Name::Check1, 0}, {Name::Check1, 2}}) {
        const QPoint p = centre(name, index);
        std::printf("%s %d %d\n", ObjectName(Find(name, index)).c_str(), p.x(), p.y());
    }
    return 0;
}

int Check(const char* path, int scale, const std::string& bits)
{
    QImage image(QString::fromLocal8Bit(path));
    if (image.isNull() || bits.size() != 8) {
        std::fprintf(stderr, "theme_check: cannot read %s, or BITS is not eight digits\n", path);
        return 2;
    }
    const QRect window(0, 0, ToPixels(Form1.clientWidth, 96) * scale, ToPixels(Form1.clientHeight, 96) * scale);
    if (!image.rect().contains(window)) {
        std::fprintf(stderr, "theme_check: the screenshot is smaller than the window\n");
        return 2;
    }
    int failures = 0;
    double lowest = 21;
    std::string lowestName;
    for (const Control& control : Form1Controls) {
        if (control.kind == Kind::Shape)
            continue;
        const Measure m = MeasureArea(image, CaptionRect(control, scale), scale);
        const bool readable = m.contrast >= ReadableTextContrast && m.ink > 0;
        const bool whole = !m.rightTouched && !(control.alignment == Alignment::Centre && m.leftTouched);
        std::printf("%-9s background #%06X  text contrast %5.2f  %s%s\n", ObjectName(control).c_str(),
                    ((m.background & 0xFF) << 16) | (m.background & 0xFF00) | ((m.background >> 16) & 0xFF),
                    m.contrast, readable ? "readable" : "NOT READABLE", whole ? "" : ", CUT AT ITS EDGE");
        failures += !readable + !whole;
        if (m.contrast < lowest) {
            lowest = m.contrast;
            lowestName = ObjectName(control);
        }
    }
    for (int k = 0; k < 8; ++k) {
        const Control& box = Find(Name::Check1, k);
        const Measure mark = MeasureArea(image, MarkRect(box, scale), scale);
        const bool shown = mark.contrast >= VisibleLineContrast && mark.ink >= 4 * scale * scale;
        const bool expected = bits[static_cast<std::size_t>(k)] == '1';
        if (shown != expected) {
            std::printf("%-9s check mark %s, expected %s (contrast %.2f)\n", ObjectName(box).c_str(),
                        shown ? "shown" : "not seen", expected ? "checked" : "clear", mark.contrast);
            ++failures;
        }
    }
    std::printf("lowest text contrast %.2f (%s); %d failure%s\n", lowest, lowestName.c_str(), failures,
                failures == 1 ? "" : "s");
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "points" && argc == 3)
        return Points(std::max(1, std::atoi(argv[2])));
    if (mode == "check" && argc == 5)
        return Check(argv[2], std::max(1, std::atoi(argv[3])), argv[4]);
    std::fprintf(stderr, "usage: theme_check points SCALE | check SHOT.png SCALE BITS\n");
    return 2;
}
