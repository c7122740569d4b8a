// Reads the background and the ink's contrast of named areas of a screenshot, for checks that see
// a window or a page only as a picture (the web page's, in the browsers), the way the checks of
// the Qt window and of the Windows program read theirs (area_reading.h).
//
//   screenshot_contrast [--least-pixels N] SHOT.png [AREAS.json]
//
// AREAS (the file, or standard input without one) is a JSON array of
// {"name", "x", "y", "width", "height"} in the screenshot's pixels. Prints a JSON array, in the
// same order, of {"name", "background": [R, G, B], "ratio"}: the ratio is the ink's contrast,
// counting only colours drawn on at least N pixels (1 unless told). Pixels outside the screenshot
// are no part of an area. Exits 2 when it cannot read the screenshot or the areas.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "area_reading.h"

namespace {

using quadrell::BlueOf;
using quadrell::Colour;
using quadrell::GreenOf;
using quadrell::RedOf;
using namespace quadrell::screenshots;

std::optional<QByteArray> ReadAreas(const char* path)
{
    if (!path) {
        const std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
        return QByteArray::fromStdString(text);
    }
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

PixelArea AreaOf(const QImage& image, const QJsonObject& area)
{
    const int left = area["x"].toInt(), top = area["y"].toInt();
    return PixelArea(area["width"].toInt(), area["height"].toInt(), [&](int x, int y) -> std::optional<Colour> {
        if (!image.valid(left + x, top + y))
            return std::nullopt;
        const QRgb p = image.pixel(left + x, top + y);
        return static_cast<Colour>(qRed(p)) | static_cast<Colour>(qGreen(p)) << 8 | static_cast<Colour>(qBlue(p)) << 16;
    });
}

QJsonObject Measure(const QImage& image, const QJsonObject& area, int leastPixels)
{
    const PixelArea pixels = AreaOf(image, area);
    const Colour background = Background(pixels);
    return {{"name", area["name"]},
            {"background", QJsonArray{int{RedOf(background)}, int{GreenOf(background)}, int{BlueOf(background)}}},
            {"ratio", InkContrast(pixels, background, leastPixels)}};
}

int Usage()
{
    std::fprintf(stderr, "usage: screenshot_contrast [--least-pixels N] SHOT.png [AREAS.json]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    int at = 1, leastPixels = 1;
    if (at + 1 < argc && std::strcmp(argv[at], "--least-pixels") == 0) {
        leastPixels = std::atoi(argv[at + 1]);
        at += 2;
    }
    if (at >= argc || argc - at > 2)
        return Usage();
    const QImage image(QString::fromLocal8Bit(argv[at]));
    const std::optional<QByteArray> text = ReadAreas(at + 1 < argc ? argv[at + 1] : nullptr);
    QJsonParseError error{};
    const QJsonDocument areas = text ? QJsonDocument::fromJson(*text, &error) : QJsonDocument();
    if (image.isNull() || !areas.isArray()) {
        std::fprintf(stderr, "screenshot_contrast: cannot read the screenshot %s or the areas\n", argv[at]);
        return 2;
    }
    QJsonArray measured;
    for (const QJsonValue area : areas.array())
        measured.append(Measure(image, area.toObject(), leastPixels));
    std::fputs(QJsonDocument(measured).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputs("\n", stdout);
    return 0;
}
