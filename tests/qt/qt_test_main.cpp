// Runs the GUI tests inside a QApplication on the platform chosen by QT_QPA_PLATFORM
// (offscreen under CTest, set on each test), with the program's own font substitutes.
#include <QApplication>

#include <gtest/gtest.h>

#include "qt_design.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // CTest lists the tests in its own environment, where no platform may be set or reachable:
    // listing opens no window, so it needs no application.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    quadrell::RegisterFontSubstitutes();
    return RUN_ALL_TESTS();
}
