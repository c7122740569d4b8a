// Runs the GUI tests inside a QApplication on the platform chosen by QT_QPA_PLATFORM
// (offscreen under CTest), with the program's own font substitutes.
#include <QApplication>

#include <gtest/gtest.h>

#include "qt_design.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    quadrell::RegisterFontSubstitutes();
    return RUN_ALL_TESTS();
}
