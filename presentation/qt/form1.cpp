#include "form1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QByteArray>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>

#include "announcer.h"
#include "bit_check_box.h"
#include "clickable_line_edit.h"
#include "coloured_button.h"
#include "desktop_font.h"
#include "desktop_scheme.h"
#include "outline_shape.h"
#include "presenter.h"
#include "qt_design.h"
#include "spoken_words.h"

namespace quadrell {

namespace {

QString WidgetName(const design::Control& control)
{
    return QString::fromStdString(design::ObjectName(control));
}

// Gives a widget colours for its background and text roles.
void SetColours(QWidget* widget, QPalette::ColorRole backRole, QPalette::ColorRole textRole,
                const design::ControlColours& colours)
{
    SetOwnColours(widget, {{backRole, ToQColor(colours.background)}, {textRole, ToQColor(colours.text)}});
}

// Entries centre their single line; labels, as on Windows, set their text at the top.
Qt::Alignment ToQtAlignment(design::Alignment alignment, Qt::Alignment vertical)
{
    return (alignment == design::Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | vertical;
}

// The window answers screen readers as a top-level window, a frame; a plain widget would be
// reported as a filler.
QAccessibleInterface* WindowAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(Form1::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent), announcer_(std::make_unique<Announcer>(this))
{
    static const bool windowAccessibleInstalled = (QAccessible::installFactory(WindowAccessible), true);
    Q_UNUSED(windowAccessibleInstalled);
    setWindowTitle(ToQString(design::Form1.caption));
    // The bit row reads most significant bit first, left to right, in every language.
    setLayoutDirection(Qt::LeftToRight);
    setFixedSize(TwipsToPixels(design::Form1.clientWidth), TwipsToPixels(design::Form1.clientHeight));

    for (const design::Control& control : design::Form1Controls) {
        QWidget* created = createControl(control);
        created->setObjectName(WidgetName(control));
        created->setGeometry(ToQRect(control.bounds));
        if (control.font)
            created->setFont(ToQFont(*control.font));
        widgets_[design::PlaceOf(control)] = created;
    }
    applyDesktopFont();
    linkEntriesToCaptions();
    chainFocusOrder();
    widgets_.front()->setFocus();
}

Form1::~Form1() = default;

QWidget* Form1::createControl(const design::Control& control)
{
    switch (control.kind) {
    case design::Kind::CheckBox: return createBitBox(control);
    case design::Kind::Label: return createLabel(control);
    case design::Kind::TextEntry: return createEntry(control);
    case design::Kind::PushButton: return createButton(control);
    case design::Kind::Shape: {
        auto* shape = new OutlineShape(this);
        shape->lower();  // beneath the controls it frames
        return shape;
    }
    }
    return nullptr;
}

QWidget* Form1::createBitBox(const design::Control& control)
{
    auto* box = new BitCheckBox(ToQString(control.caption), this);
    // `clicked` comes from the mouse and the space bar only, never from setChecked.
    connect(box, &QCheckBox::clicked, this, [this, &control] { presenter().userClicks(control); });
    return box;
}

QWidget* Form1::createLabel(const design::Control& control)
{
    auto* label = new QLabel(ToQString(control.caption), this);
    label->setAlignment(ToQtAlignment(control.alignment, Qt::AlignTop));
    // A label with a colour of its own paints its whole area in it; the others show the window.
    label->setAutoFillBackground(control.background.has_value());
    return label;
}

QWidget* Form1::createEntry(const design::Control& control)
{
    // The initial text as designed. Set, not left as constructed: a line edit whose text was never
    // set tells screen readers of its caret before its focus, the first time the focus arrives, and
    // Orca then takes the focus as known and does not say the entry's name.
    auto* entry = new ClickableLineEdit(this);
    entry->setText(ToQString(control.caption));
    entry->setAlignment(ToQtAlignment(control.alignment, Qt::AlignVCenter));
    if (control.maxLength > 0)
        entry->setMaxLength(control.maxLength);  // stops typing and pasting alike
    // `textEdited` is the user's doing only: typing, deleting, cutting, pasting, undo.
    connect(entry, &QLineEdit::textEdited, this,
            [this, &control](const QString& text) { presenter().userEdits(control, text.toStdString()); });
    connect(entry, &ClickableLineEdit::mouseClicked, this, [this, &control] { presenter().userClicks(control); });
    return entry;
}

QWidget* Form1::createButton(const design::Control& control)
{
    auto* button = new ColouredButton(ToQString(control.caption), this);
    connect(button, &QPushButton::clicked, this, [this, &control] { presenter().userClicks(control); });
    return button;
}

void Form1::linkEntriesToCaptions()
{
    // Screen readers name each entry by its caption.
    for (const design::CaptionLink& link : design::EntryCaptions)
        widget<QLabel>(design::Find(link.label))->setBuddy(widget(design::Find(link.entry)));
}

void Form1::chainFocusOrder()
{
    QWidget* previous = nullptr;
    for (const design::Control& control : design::Form1Controls) {
        if (!design::TakesFocus(control))
            continue;
        QWidget* next = widget(control);
        next->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::changeEvent(QEvent* event)
{
    const bool built = widgets_.back() != nullptr;  // earlier changes reach each control as it is made
    if (built && event->type() == QEvent::PaletteChange && presented())
        presenter().desktopSchemeChanged();
    else if (built && event->type() == QEvent::FontChange)
        applyDesktopFont();
    QWidget::changeEvent(event);
}

void Form1::applyDesktopFont()
{
    const QFont fitted = FittedDesktopFont(font(), *style());
    for (const design::Control& control : design::Form1Controls) {
        if (!design::TakesDesktopFont(control))
            continue;
        QWidget* each = widget(control);
        if (each->font() != fitted || !each->testAttribute(Qt::WA_SetFont))
            each->setFont(fitted);
    }
}

std::string Form1::userLocale() const
{
    return std::string(design::MessagesLocale(qgetenv("LANGUAGE").toStdString(), qgetenv("LC_ALL").toStdString(),
                                              qgetenv("LC_MESSAGES").toStdString(), qgetenv("LANG").toStdString()));
}

NumberFormat Form1::userNumberFormat() const
{
    // LC_ALL, else LC_NUMERIC, else LANG, as Qt reads them once the application object exists.
    return NumberFormat{QLocale::system().decimalPoint().toStdString()};
}

design::DesktopScheme Form1::desktopScheme() const
{
    return DesktopSchemeOf(palette());
}

std::string Form1::shownText(const design::Control& control) const
{
    if (control.kind == design::Kind::TextEntry)
        return widget<QLineEdit>(control)->text().toStdString();
    return widget<QLabel>(control)->text().toStdString();
}

void Form1::showText(const design::Control& control, std::string_view text)
{
    if (control.kind == design::Kind::TextEntry)
        widget<QLineEdit>(control)->setText(ToQString(text));
    else
        widget<QLabel>(control)->setText(ToQString(text));
}

void Form1::showChecked(const design::Control& box, bool checked)
{
    auto* shown = widget<BitCheckBox>(box);
    if (shown->isChecked() == checked)
        return;
    const QSignalBlocker quiet(shown);
    shown->setChecked(checked);
}

void Form1::showColours(const design::Control& control, const design::ControlColours& colours)
{
    switch (control.kind) {
    case design::Kind::CheckBox:
        widget<BitCheckBox>(control)->setColours(ToQColor(colours.background), ToQColor(colours.text));
        break;
    case design::Kind::Label: SetColours(widget(control), QPalette::Window, QPalette::WindowText, colours); break;
    case design::Kind::TextEntry: SetColours(widget(control), QPalette::Base, QPalette::Text, colours); break;
    case design::Kind::PushButton:
        widget<ColouredButton>(control)->setColours(ToQColor(colours.background), ToQColor(colours.text));
        break;
    case design::Kind::Shape: break;
    }
}

void Form1::showFrame(const design::Control& control, std::optional<Colour> colour)
{
    const std::optional<QColor> frame = colour ? std::optional(ToQColor(*colour)) : std::nullopt;
    if (control.kind == design::Kind::Shape)
        widget<OutlineShape>(control)->setColour(frame.value_or(QColor()));
    else if (control.kind == design::Kind::TextEntry)
        widget<ClickableLineEdit>(control)->setFrameColour(frame);
}

void Form1::describe(const design::Control& control, std::string_view description)
{
    widget(control)->setAccessibleDescription(ToQString(description));
}

void Form1::nameAction(const design::Control&, std::string_view)
{
    // Qt's accessibility bridge names a push button's action itself, in the words of Qt's own
    // translations; it has no way to set another.
}

void Form1::announce(const design::Control&, std::string_view words)
{
    const QString spoken = ToQString(words);
    announcer_->announce(spoken);
    emit announced(spoken);
}

}  // namespace quadrell
