#include "desktop_scheme.h"

#include "qt_design.h"

namespace quadrell {

design::DesktopScheme DesktopSchemeOf(const QPalette& palette)
{
    const auto colour = [&](QPalette::ColorRole role) { return FromQColor(palette.color(QPalette::Active, role)); };
    return {{colour(QPalette::Window), colour(QPalette::WindowText), colour(QPalette::Base), colour(QPalette::Text),
             colour(QPalette::Button), colour(QPalette::ButtonText), colour(QPalette::Highlight),
             colour(QPalette::HighlightedText)},
            false};
}

}  // namespace quadrell
