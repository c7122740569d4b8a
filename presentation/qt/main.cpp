#include <cstdio>

#include <QApplication>
#include <QIcon>

#include "application_start.h"
#include "display_check.h"
#include "form1.h"
#include "program.h"
#include "qt_design.h"
#include "version.h"

int main(int, char* argv[])
{
    // The program takes no command line: Qt is not shown the arguments, so none of them changes
    // how the window looks or where it opens.
    int argumentCount = 1;
    if (const QString reason = quadrell::MissingDisplayReason(); !reason.isEmpty()) {
        std::fprintf(stderr, "quadrell: %s\n", qPrintable(reason));
        return 1;
    }

    const std::unique_ptr<QApplication> app = quadrell::StartApplication(argumentCount, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrell"));
    QApplication::setApplicationVersion(QStringLiteral(QUADRELL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(QUADRELL_APP_ID));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quadrell-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/quadrell-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);
    quadrell::RegisterFontSubstitutes();

    quadrell::Form1 window;
    quadrell::Program program(window);
    window.show();
    return QApplication::exec();
}
