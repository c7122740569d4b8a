// Counts the pixels of given colours in a screenshot, to check from outside that a window shows
// its designed colours:
//
//   screenshot_colours FILE MIN_PIXELS R,G,B [R,G,B...]
//
// Prints each colour's count and exits non-zero when any colour covers fewer than MIN_PIXELS.
#include <cstdio>
#include <cstdlib>
#include <map>

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: screenshot_colours FILE MIN_PIXELS R,G,B [R,G,B...]\n");
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "screenshot_colours: cannot read %s\n", argv[1]);
        return 2;
    }
    const long least = std::atol(argv[2]);
    std::map<QRgb, long> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    bool allShown = true;
    for (int at = 3; at < argc; ++at) {
        const QStringList parts = QString::fromLatin1(argv[at]).split(QLatin1Char(','));
        if (parts.size() != 3) {
            std::fprintf(stderr, "screenshot_colours: '%s' is not R,G,B\n", argv[at]);
            return 2;
        }
        const QRgb colour = qRgb(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
        const long count = counts[colour];
        std::printf("%-12s %7ld pixels%s\n", argv[at], count, count < least ? "  (too few)" : "");
        allShown = allShown && count >= least;
    }
    return allShown ? 0 : 1;
}
