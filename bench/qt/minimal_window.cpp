// The yardstick for start-up: a plain Qt Widgets window with the same sixteen controls in the
// same places, and nothing else: no behaviour, colours, fonts or icon.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.setFixedSize(351, 213);
    for (int k = 0; k < 8; ++k)
        (new QCheckBox(QString::number(k), &window))->setGeometry(16 + 40 * k, 80, 33, 17);
    (new QLabel(QStringLiteral("00000000"), &window))->setGeometry(64, 128, 113, 25);
    (new QLineEdit(&window))->setGeometry(272, 136, 33, 19);
    (new QLineEdit(&window))->setGeometry(264, 22, 33, 19);
    (new QLabel(QStringLiteral("Split"), &window))->setGeometry(232, 24, 25, 17);
    (new QPushButton(QStringLiteral("Cancella"), &window))->setGeometry(48, 32, 57, 17);
    (new QLabel(&window))->setGeometry(264, 176, 49, 25);
    (new QLabel(QStringLiteral("ASCII:"), &window))->setGeometry(208, 160, 49, 25);
    auto* frame = new QFrame(&window);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(256, 128, 65, 81);
    window.show();
    return QApplication::exec();
}
