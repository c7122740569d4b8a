// One keystroke through the real widgets on Qt's offscreen platform: the key event, the line
// edit, the behaviour's cascade and the repaint requests of every control it changes.
#include <chrono>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include "form1.h"
#include "program.h"
#include "qt_design.h"

namespace {

void TypeTwoFiveFiveThroughWidgets(benchmark::State& bench)
{
    quadrell::Form1 window;
    quadrell::Program program(window);
    window.show();
    QApplication::processEvents();
    auto* text1 = window.findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* cancella = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    text1->setFocus();

    for (auto _ : bench) {
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(text1, Qt::Key_2);
        QTest::keyClick(text1, Qt::Key_5);
        QTest::keyClick(text1, Qt::Key_5);
        QApplication::processEvents();  // the repaints the keys asked for
        const auto end = std::chrono::steady_clock::now();
        bench.SetIterationTime(std::chrono::duration<double>(end - start).count() / 3);
        cancella->click();
        QApplication::processEvents();
    }
}
BENCHMARK(TypeTwoFiveFiveThroughWidgets)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quadrell::RegisterFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
