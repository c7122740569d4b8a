#include "qt_design.h"

#include <QStringList>
#include <QWidget>

namespace quadrell {

int TwipsToPixels(int twips)
{
    return design::ToPixels(twips, design::TwipsPerInch / design::TwipsPerPixelAt96Dpi);
}

QRect ToQRect(const design::Rect& bounds)
{
    return {TwipsToPixels(bounds.left), TwipsToPixels(bounds.top), TwipsToPixels(bounds.width),
            TwipsToPixels(bounds.height)};
}

QColor ToQColor(Colour colour)
{
    return {RedOf(colour), GreenOf(colour), BlueOf(colour)};
}

Colour FromQColor(const QColor& colour)
{
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8
        | static_cast<Colour>(colour.blue()) << 16;
}

void SetOwnColours(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours)
{
    QPalette palette = widget->palette();
    bool changed = false;
    for (const auto& [role, colour] : colours) {
        if (palette.color(role) == colour && palette.isBrushSet(QPalette::Active, role))
            continue;
        palette.setColor(role, colour);
        changed = true;
    }
    if (changed)
        widget->setPalette(palette);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ToQFont(const design::Font& font)
{
    QFont result(ToQString(font.face));
    result.setPointSizeF(font.points);
    result.setBold(font.bold);
    result.setStyleHint(QFont::SansSerif);
    return result;
}

void RegisterFontSubstitutes()
{
    // Liberation Sans has Arial's metrics, the closest to the classic dialog face of those
    // commonly installed; DejaVu Sans is on almost every Linux system.
    QFont::insertSubstitutions(ToQString(design::ClassicFace), {"Liberation Sans", "Arial", "DejaVu Sans"});
}

}  // namespace quadrell
