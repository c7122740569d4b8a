// Renders the window, as the program builds it, to a PNG for the documentation. The byte and the
// split are set through the same user actions a person would take.
#include <cstdio>

#include <QApplication>

#include "form1.h"
#include "program.h"
#include "qt_design.h"
#include "window_state.h"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    quadrell::RegisterFontSubstitutes();

    quadrell::Form1 window;
    quadrell::Program program(window);
    window.show();
    program.state().userEditsText1("77");
    program.state().userEditsText2("4");
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
