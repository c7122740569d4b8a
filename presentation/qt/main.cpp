#include <cstdio>

#include <QApplication>
#include <QIcon>

#include "display_check.h"
#include "form1.h"
#include "handlers.h"
#include "qt_design.h"
#include "user_number_format.h"
#include "version.h"
#include "window_state.h"

int main(int argc, char* argv[])
{
    if (const QString reason = quadrell::MissingDisplayReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "quadrell: %s\n", qPrintable(reason));
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrell"));
    QApplication::setApplicationVersion(QStringLiteral(QUADRELL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quadrell"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quadrell-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/quadrell-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);
    quadrell::RegisterFontSubstitutes();

    quadrell::WindowState state;
    quadrell::BindHandlers(state, quadrell::UserNumberFormat());
    quadrell::Form1 window(state);
    state.loadForm1();
    window.show();
    return QApplication::exec();
}
