#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "contrast.h"
#include "form1.h"
#include "presenter.h"
#include "qt_design.h"
#include "state_probe.h"
#include "window_scenarios.h"

// Colours print as names in failure messages.
inline void PrintTo(const QColor& colour, std::ostream* out)
{
    *out << colour.name().toStdString();
}

namespace quadrell {
namespace {

using testing_support::CountingState;

const QColor Yellow(255, 255, 0);
const QColor LightGreen(192, 255, 192);
const QColor PaleYellow(255, 255, 192);
const QColor LightBlue(192, 192, 255);

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<Form1>();
        presenter = std::make_unique<Presenter>(counting.state, *window);
        counting.state.loadForm1();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QCheckBox* box(int k) { return window->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(k)); }
    QLabel* label(const char* name) { return window->findChild<QLabel*>(name); }
    QLineEdit* entry(const char* name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* cancella() { return window->findChild<QPushButton*>("Command1"); }

    QString boxesAsBits()
    {
        QString bits;
        for (int k = 0; k < BoxCount; ++k)
            bits += box(k)->isChecked() ? '1' : '0';
        return bits;
    }

    // The colour the screen shows at a point of a widget, read from what it paints.
    static QColor PixelAt(QWidget* widget, QPoint point)
    {
        return widget->grab().toImage().pixelColor(point * widget->devicePixelRatioF());
    }

    // A point of a bit box's coloured area away from its square and its caption.
    static QPoint BackgroundPoint(QCheckBox* box) { return {box->width() - 2, box->height() - 2}; }

    void typeInto(QLineEdit* target, const QString& text)
    {
        target->setFocus();
        QTest::keyClicks(target, text);
    }

    CountingState counting;
    std::unique_ptr<Form1> window;
    std::unique_ptr<Presenter> presenter;
};

TEST_F(Form1Test, StartsWithTheDesignedLayout)
{
    EXPECT_EQ(window->windowTitle(), "Quadrell");
    EXPECT_EQ(window->size(), QSize(351, 213));
    for (int k = 0; k < BoxCount; ++k) {
        ASSERT_NE(box(k), nullptr);
        EXPECT_EQ(box(k)->text(), QString::number(k));
        EXPECT_EQ(box(k)->geometry(), QRect(16 + 40 * k, 80, 33, 17));
    }
    EXPECT_EQ(label("Label1")->geometry(), QRect(64, 128, 113, 25));
    EXPECT_EQ(PixelAt(label("Label1"), {2, 2}), PaleYellow);
    EXPECT_EQ(PixelAt(label("Label3"), {2, 2}), LightGreen);
    EXPECT_EQ(PixelAt(cancella(), {cancella()->width() / 2, 3}), LightBlue);
    EXPECT_EQ(label("Label2")->text(), "Split");
    EXPECT_EQ(label("Label4")->text(), "ASCII:");
}

// Plays a scenario of the shared table on the window in-process, with Qt's simulated input.
class Form1Scenario : public Form1Test, public testing::WithParamInterface<scenarios::Scenario> {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        QObject::connect(window.get(), &Form1::announced,
                         [this](const QString& words) { heardInStep.push_back(words.toStdString()); });
    }

    QWidget* widget(scenarios::Target target)
    {
        return window->findChild<QWidget*>(QString::fromStdString(design::ObjectName(design::Find(target.name, target.index))));
    }

    void act(const scenarios::Step& step)
    {
        QWidget* focused = QApplication::focusWidget();
        switch (step.action) {
        case scenarios::Action::Look: break;
        case scenarios::Action::Click: QTest::mouseClick(widget(*step.target), Qt::LeftButton); break;
        case scenarios::Action::ClickBesideCaption: {
            auto* target = static_cast<QCheckBox*>(widget(*step.target));
            QTest::mouseClick(target, Qt::LeftButton, {}, BackgroundPoint(target));
            break;
        }
        case scenarios::Action::Type: QTest::keyClicks(focused, ToQString(step.text)); break;
        case scenarios::Action::Paste:
            QApplication::clipboard()->setText(ToQString(step.text));
            QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
            break;
        case scenarios::Action::Tab: QTest::keyClick(focused, Qt::Key_Tab); break;
        case scenarios::Action::ShiftTab: QTest::keyClick(focused, Qt::Key_Backtab); break;
        case scenarios::Action::Space: QTest::keyClick(focused, Qt::Key_Space); break;
        }
    }

    scenarios::Shown shown()
    {
        std::string colours;
        for (int k = 0; k < BoxCount; ++k) {
            const QColor colour = PixelAt(box(k), BackgroundPoint(box(k)));
            colours += colour == Yellow ? 'Y' : colour == LightGreen ? 'G' : '?';
        }
        return {boxesAsBits().toStdString(), label("Label1")->text().toStdString(), label("Label3")->text().toStdString(),
                entry("Text1")->text().toStdString(), entry("Text2")->text().toStdString(), colours,
                scenarios::JoinHeard(heardInStep)};
    }

    void expectShown(const scenarios::Shows& shows)
    {
        scenarios::ExpectMatches(shown(), shows);
        if (shows.focus) {
            EXPECT_EQ(QApplication::focusWidget(), widget(*shows.focus));
        }
    }

    std::vector<std::string> heardInStep;  // what the current step made screen readers say
};

TEST_P(Form1Scenario, ShowsWhatTheTableSays)
{
    const std::vector<scenarios::Step>& steps = GetParam().steps;
    for (std::size_t at = 0; at < steps.size(); ++at) {
        SCOPED_TRACE("step " + std::to_string(at + 1));
        heardInStep.clear();
        act(steps[at]);
        expectShown(steps[at].shows);
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Form1Scenario, testing::ValuesIn(scenarios::WindowScenarios),
                         [](const testing::TestParamInfo<scenarios::Scenario>& info) { return info.param.name; });

TEST_F(Form1Test, UsesTheDesignedFonts)
{
    const QFont binary = label("Label1")->font();
    EXPECT_DOUBLE_EQ(binary.pointSizeF(), 13.5);
    EXPECT_TRUE(binary.bold());
    EXPECT_DOUBLE_EQ(entry("Text1")->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(label("Label3")->font().pointSizeF(), 12);
    EXPECT_FALSE(box(0)->font().bold());
    EXPECT_EQ(entry("Text1")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

TEST_F(Form1Test, EachUserEditIsOneNotification)
{
    QLineEdit* text1 = entry("Text1");
    typeInto(text1, "12");
    EXPECT_EQ(counting.decimalEntryRuns, 2);
    QTest::keyClick(text1, Qt::Key_Backspace);
    EXPECT_EQ(counting.decimalEntryRuns, 3);
    text1->selectAll();
    text1->cut();
    EXPECT_EQ(counting.decimalEntryRuns, 4);
    text1->undo();
    EXPECT_EQ(counting.decimalEntryRuns, 5);
    EXPECT_EQ(text1->text(), "1");
    text1->end(false);
    QTest::keyClicks(text1, "99");
    EXPECT_EQ(counting.decimalEntryRuns, 7);
    QTest::keyClick(text1, Qt::Key_9);  // a fourth character is refused: no edit at all
    EXPECT_EQ(counting.decimalEntryRuns, 7);
    EXPECT_EQ(counting.state.text1(), "199");
}

TEST_F(Form1Test, ChangesMadeByTheBehaviourAreNotUserEdits)
{
    typeInto(entry("Text1"), "9");
    counting.resetCounts();
    QTest::mouseClick(cancella(), Qt::LeftButton);  // empties the entry from the behaviour's side
    EXPECT_EQ(counting.decimalEntryRuns, 1);         // the behaviour's own change, raised once
    EXPECT_EQ(entry("Text1")->text(), "");
}

// The descriptions are in the user's language: CTest runs this once more with Italian messages.
TEST_F(Form1Test, ScreenReadersFindEveryControl)
{
    const bool italian = qgetenv("LANGUAGE").startsWith("it") || qgetenv("LC_ALL").startsWith("it");
    // A top-level window, which screen readers call a frame.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->role(), QAccessible::Window);
    QAccessibleInterface* bit0 = QAccessible::queryAccessibleInterface(box(0));
    ASSERT_NE(bit0, nullptr);
    EXPECT_EQ(bit0->role(), QAccessible::CheckBox);
    EXPECT_EQ(bit0->text(QAccessible::Name), "0");
    EXPECT_EQ(bit0->text(QAccessible::Description).toStdString(), italian ? "Bit di peso 128" : "Bit of weight 128");
    EXPECT_FALSE(bit0->state().checked);
    QTest::mouseClick(box(0), Qt::LeftButton);
    EXPECT_TRUE(bit0->state().checked);
    // The split's colour is heard, on the boxes it leaves as they were too.
    typeInto(entry("Text2"), "1");
    EXPECT_EQ(bit0->text(QAccessible::Description).toStdString(), italian ? "Bit di peso 128, nello split" : "Bit of weight 128, in the split");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box(1))->text(QAccessible::Description).toStdString(),
              italian ? "Bit di peso 64, fuori dallo split" : "Bit of weight 64, outside the split");

    QAccessibleInterface* text1 = QAccessible::queryAccessibleInterface(entry("Text1"));
    EXPECT_EQ(text1->role(), QAccessible::EditableText);
    EXPECT_EQ(text1->text(QAccessible::Name), "ASCII:");
    typeInto(entry("Text1"), "42");
    EXPECT_EQ(text1->text(QAccessible::Value), "42");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(entry("Text2"))->text(QAccessible::Name), "Split");

    QAccessibleInterface* binary = QAccessible::queryAccessibleInterface(label("Label1"));
    EXPECT_EQ(binary->role(), QAccessible::StaticText);
    EXPECT_EQ(binary->text(QAccessible::Name), "00101010");
    EXPECT_EQ(binary->text(QAccessible::Description).toStdString(), italian ? "Valore binario" : "Binary value");
    QAccessibleInterface* decimal = QAccessible::queryAccessibleInterface(label("Label3"));
    EXPECT_EQ(decimal->role(), QAccessible::StaticText);
    EXPECT_EQ(decimal->text(QAccessible::Name), "42");
    EXPECT_EQ(decimal->text(QAccessible::Description).toStdString(), italian ? "Valore decimale" : "Decimal value");
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(cancella());
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), "Cancella");
}

TEST_F(Form1Test, BitRowStaysLeftToRightInRightToLeftLocales)
{
    QApplication::setLayoutDirection(Qt::RightToLeft);
    Form1 mirrored;
    QApplication::setLayoutDirection(Qt::LeftToRight);
    auto* first = mirrored.findChild<QCheckBox*>("Check1_0");
    auto* last = mirrored.findChild<QCheckBox*>("Check1_7");
    EXPECT_LT(first->x(), last->x());
    EXPECT_EQ(first->layoutDirection(), Qt::LeftToRight);
}

// The colour of a widget's painted text: of the pixels in `area`, the one farthest from the
// background at `backgroundPoint`.
QColor TextColourOf(QWidget* widget, QPoint backgroundPoint, QRect area = {})
{
    const QImage image = widget->grab().toImage();
    const qreal ratio = widget->devicePixelRatioF();
    const Colour background = FromQColor(image.pixelColor(backgroundPoint * ratio));
    const QRect pixels = area.isNull() ? image.rect() : QRect(area.topLeft() * ratio, area.size() * ratio);
    Colour text = background;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (const Colour pixel = FromQColor(image.pixelColor(x, y));
                design::ContrastRatio(pixel, background) > design::ContrastRatio(text, background))
                text = pixel;
    return ToQColor(text);
}

double TextContrastOf(QWidget* widget, QPoint backgroundPoint, QRect area = {})
{
    const QColor background = widget->grab().toImage().pixelColor(backgroundPoint * widget->devicePixelRatioF());
    return design::ContrastRatio(FromQColor(TextColourOf(widget, backgroundPoint, area)), FromQColor(background));
}

// A bit box's caption, right of its square; the inside of the button's raised edge.
QRect CaptionArea(QCheckBox* box) { return {box->height(), 0, box->width() - box->height(), box->height()}; }
QRect CaptionArea(QPushButton* button) { return button->rect().adjusted(2, 2, -2, -2); }

TEST_F(Form1Test, FollowsADarkDesktopPaletteAtOnce)
{
    typeInto(entry("Text1"), "77");
    typeInto(entry("Text2"), "4");
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEC));
    dark.setColor(QPalette::Base, QColor(0x2D, 0x2D, 0x2D));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEC));
    QApplication::setPalette(dark);
    QApplication::processEvents();

    // Designed backgrounds keep their colours and take dark text; the rest take the desktop's.
    EXPECT_EQ(PixelAt(box(0), BackgroundPoint(box(0))), LightGreen);
    EXPECT_GE(TextContrastOf(box(0), BackgroundPoint(box(0)), CaptionArea(box(0))), design::ReadableTextContrast);
    EXPECT_GE(TextContrastOf(box(7), BackgroundPoint(box(7)), CaptionArea(box(7))), design::ReadableTextContrast);
    EXPECT_EQ(TextColourOf(label("Label1"), {2, 2}), QColor(Qt::black));
    EXPECT_EQ(TextColourOf(label("Label3"), {2, 2}), QColor(Qt::black));
    EXPECT_GE(TextContrastOf(cancella(), {cancella()->width() / 2, 3}, CaptionArea(cancella())),
              design::ReadableTextContrast);
    EXPECT_EQ(PixelAt(cancella(), {cancella()->width() / 2, 3}), LightBlue);
    EXPECT_EQ(PixelAt(window.get(), {2, 2}), QColor(0x35, 0x35, 0x35));
    EXPECT_EQ(TextColourOf(label("Label2"), {1, 1}), QColor(0xEE, 0xEE, 0xEC));
    EXPECT_EQ(TextColourOf(entry("Text2"), {4, 4}), QColor(Qt::white));
    EXPECT_EQ(PixelAt(entry("Text2"), {4, 4}), QColor(0x2D, 0x2D, 0x2D));
    // The style's frame, a shade darker than the dark window, would not show: the entry gets a line.
    box(0)->setFocus();  // a focused entry shows the style's highlighted frame instead
    const QColor frame = PixelAt(entry("Text2"), {0, entry("Text2")->height() / 2});
    EXPECT_GE(design::ContrastRatio(qRgb(0x35, 0x35, 0x35) & 0xFFFFFF, frame.red() | frame.green() << 8 | frame.blue() << 16),
              design::VisibleLineContrast);
    // The dark blue outline would vanish on the dark window: it takes the window's text colour.
    auto* outline = window->findChild<QWidget*>("Shape1");
    EXPECT_EQ(PixelAt(outline, {0, outline->height() / 2}), QColor(0xEE, 0xEE, 0xEC));

    QApplication::setPalette(light);
    QApplication::processEvents();
    EXPECT_EQ(TextColourOf(label("Label2"), {1, 1}), QColor(Qt::black));
    EXPECT_EQ(PixelAt(outline, {0, outline->height() / 2}), QColor(0, 0, 192));
}

TEST_F(Form1Test, EveryCaptionFitsALargerDesktopFont)
{
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSizeF(14);
    QApplication::setFont(large);
    QApplication::processEvents();

    const QList<QWidget*> fitted{box(0), box(7), entry("Text2"), label("Label2"), cancella()};
    for (QWidget* control : fitted) {
        const QFontMetrics metrics(control->font());
        EXPECT_EQ(control->font().family(), large.family());
        EXPECT_LT(control->font().pointSizeF(), 14) << control->objectName().toStdString();
        EXPECT_LE(metrics.height(), control->height()) << control->objectName().toStdString();
    }
    EXPECT_LE(QFontMetrics(label("Label2")->font()).horizontalAdvance("Split"), label("Label2")->width());
    EXPECT_LT(QFontMetrics(cancella()->font()).horizontalAdvance("Cancella"), cancella()->width() - 2);
    EXPECT_DOUBLE_EQ(label("Label1")->font().pointSizeF(), 13.5);
    EXPECT_DOUBLE_EQ(label("Label4")->font().pointSizeF(), 9.75);

    QApplication::setFont(desktop);
    QApplication::processEvents();
}

// The locale the tests run in decides the separator: CTest runs this once more with LC_ALL set to
// Italian, where "2,5" is two and a half and "2.5" is not a number.
TEST(UserNumberFormatTest, SplitCountFollowsTheUserLocale)
{
    const bool italian = qgetenv("LC_ALL").startsWith("it");
    Form1 window;
    EXPECT_EQ(window.userNumberFormat().decimalSeparator, italian ? "," : ".");

    CountingState counting(window.userNumberFormat());
    Presenter presenter(counting.state, window);
    auto* split = window.findChild<QLineEdit*>("Text2");
    QTest::keyClicks(split, italian ? "2,5" : "2.5");
    EXPECT_EQ(testing_support::BoxColours(counting.state), "GGYYYYYY");
}

}  // namespace
}  // namespace quadrell
