#include "form1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "announcer.h"
#include "bit_check_box.h"
#include "clickable_line_edit.h"
#include "coloured_button.h"
#include "colour_policy.h"
#include "desktop_font.h"
#include "desktop_scheme.h"
#include "narration.h"
#include "outline_shape.h"
#include "qt_design.h"
#include "spoken_words.h"
#include "user_language.h"
#include "window_state.h"

namespace quadrell {

namespace {

QString WidgetName(const design::Control& control)
{
    return QString::fromStdString(design::ObjectName(control));
}

// Gives a widget the policy's colours for its background and text roles.
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

// Shows the stored text in an entry. Echoing the user's own edit back would reset the cursor and
// the undo history, so an entry that already shows the text is left alone.
void ShowEntryText(QLineEdit* entry, const std::string& stored)
{
    const QString text = ToQString(stored);
    if (entry->text() != text)
        entry->setText(text);
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

Form1::Form1(WindowState& state, QWidget* parent)
    : QWidget(parent), state_(state), announcer_(std::make_unique<Announcer>(this))
{
    static const bool windowAccessibleInstalled = (QAccessible::installFactory(WindowAccessible), true);
    Q_UNUSED(windowAccessibleInstalled);
    setWindowTitle(ToQString(design::Form1.caption));
    // The bit row reads most significant bit first, left to right, in every language.
    setLayoutDirection(Qt::LeftToRight);
    setFixedSize(TwipsToPixels(design::Form1.clientWidth), TwipsToPixels(design::Form1.clientHeight));

    createControls();
    applyDesktopColours();
    applyDesktopFont();
    linkEntriesToCaptions();
    chainFocusOrder();
    state_.setObserver(this);
    bitBoxes_[0]->setFocus();
}

Form1::~Form1()
{
    state_.setObserver(nullptr);
}

void Form1::createControls()
{
    for (const design::Control& control : design::Form1Controls) {
        QWidget* widget = createControl(control);
        widget->setObjectName(WidgetName(control));
        widget->setGeometry(ToQRect(control.bounds));
        if (control.font)
            widget->setFont(ToQFont(*control.font));
    }
}

void Form1::changeEvent(QEvent* event)
{
    // The window's palette and font follow the desktop's: a new theme, a dark style, another
    // default font repaint the controls at once.
    const bool built = shape1_ != nullptr;  // the last control made; earlier changes reach each as it is made
    if (built && event->type() == QEvent::PaletteChange)
        applyDesktopColours();
    else if (built && event->type() == QEvent::FontChange)
        applyDesktopFont();
    QWidget::changeEvent(event);
}

void Form1::applyDesktopColours()
{
    scheme_ = DesktopSchemeOf(palette());
    for (const design::Control& control : design::Form1Controls)
        applyColours(control);
}

void Form1::applyColours(const design::Control& control)
{
    const design::ControlColours colours = design::ColoursShown(control, state_, scheme_);
    if (control.kind == design::Kind::CheckBox) {  // repainted on every change of the split: no search
        bitBoxes_[static_cast<std::size_t>(control.index)]->setColours(ToQColor(colours.background), ToQColor(colours.text));
        return;
    }
    QWidget* widget = findChild<QWidget*>(WidgetName(control));
    switch (control.kind) {
    case design::Kind::CheckBox: break;
    case design::Kind::Label: SetColours(widget, QPalette::Window, QPalette::WindowText, colours); break;
    case design::Kind::TextEntry: {
        SetColours(widget, QPalette::Base, QPalette::Text, colours);
        const std::optional<Colour> frame = design::EntryFrameColourOf(scheme_);
        static_cast<ClickableLineEdit*>(widget)->setFrameColour(frame ? std::optional(ToQColor(*frame)) : std::nullopt);
        break;
    }
    case design::Kind::PushButton: command1_->setColours(ToQColor(colours.background), ToQColor(colours.text)); break;
    case design::Kind::Shape:
        shape1_->setColour(ToQColor(design::OutlineColourOf(control.outline.value_or(0), scheme_)));
        break;
    }
}

void Form1::applyDesktopFont()
{
    const QFont fitted = FittedDesktopFont(font(), *style());
    for (const design::Control& control : design::Form1Controls) {
        if (!design::TakesDesktopFont(control))
            continue;
        QWidget* widget = findChild<QWidget*>(WidgetName(control));
        if (widget->font() != fitted || !widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(fitted);
    }
}

QWidget* Form1::createControl(const design::Control& control)
{
    switch (control.kind) {
    case design::Kind::CheckBox: return createBitBox(control);
    case design::Kind::Label: return createLabel(control);
    case design::Kind::TextEntry: return createEntry(control);
    case design::Kind::PushButton: return createButton(control);
    case design::Kind::Shape: {
        auto* shape = new OutlineShape(this);
        shape1_ = shape;
        shape->lower();  // beneath the controls it frames
        return shape;
    }
    }
    return nullptr;
}

BitCheckBox* Form1::createBitBox(const design::Control& control)
{
    const int k = control.index;
    auto* box = new BitCheckBox(ToQString(control.caption), this);
    bitBoxes_[static_cast<std::size_t>(k)] = box;
    box->setChecked(state_.box(k).value == 1);
    box->setAccessibleDescription(descriptionOf(control));
    // `clicked` comes from the mouse and the space bar only, never from setChecked.
    connect(box, &QCheckBox::clicked, this,
            [this, k] { act(design::UserAction::ClicksBox, [this, k] { state_.userClicksBox(k); }); });
    return box;
}

QLabel* Form1::createLabel(const design::Control& control)
{
    auto* label = new QLabel(ToQString(control.caption), this);
    label->setAlignment(ToQtAlignment(control.alignment, Qt::AlignTop));
    // A label with a colour of its own paints its whole area in it; the others show the window.
    label->setAutoFillBackground(control.background.has_value());

    switch (control.name) {
    case design::Name::Label1:
        label1_ = label;
        label->setText(ToQString(state_.label1()));
        break;
    case design::Name::Label3:
        label3_ = label;
        label->setText(ToQString(state_.label3()));
        break;
    default: break;
    }
    // The displays say what they show; a caption needs no description.
    label->setAccessibleDescription(descriptionOf(control));
    return label;
}

QLineEdit* Form1::createEntry(const design::Control& control)
{
    auto* entry = new ClickableLineEdit(this);
    entry->setAlignment(ToQtAlignment(control.alignment, Qt::AlignVCenter));
    if (control.maxLength > 0)
        entry->setMaxLength(control.maxLength);  // stops typing and pasting alike

    if (control.name == design::Name::Text1) {
        text1_ = entry;
        entry->setText(ToQString(state_.text1()));
        // `textEdited` is the user's doing only: typing, deleting, cutting, pasting, undo.
        connect(entry, &QLineEdit::textEdited, this, [this](const QString& text) {
            act(design::UserAction::EditsText1, [this, &text] { state_.userEditsText1(text.toStdString()); });
        });
        connect(entry, &ClickableLineEdit::mouseClicked, this,
                [this] { act(design::UserAction::ClicksText1, [this] { state_.userClicksText1(); }); });
    } else {
        text2_ = entry;
        entry->setText(ToQString(state_.text2()));
        connect(entry, &QLineEdit::textEdited, this, [this](const QString& text) {
            act(design::UserAction::EditsText2, [this, &text] { state_.userEditsText2(text.toStdString()); });
        });
    }
    return entry;
}

ColouredButton* Form1::createButton(const design::Control& control)
{
    auto* button = new ColouredButton(ToQString(control.caption), this);
    connect(button, &QPushButton::clicked, this,
            [this] { act(design::UserAction::ClicksCommand1, [this] { state_.userClicksCommand1(); }); });
    command1_ = button;
    return button;
}

void Form1::linkEntriesToCaptions()
{
    // Screen readers name each entry by its caption.
    for (const design::CaptionLink& link : design::EntryCaptions) {
        auto* label = findChild<QLabel*>(WidgetName(design::Find(link.label)));
        label->setBuddy(findChild<QWidget*>(WidgetName(design::Find(link.entry))));
    }
}

void Form1::chainFocusOrder()
{
    QWidget* previous = nullptr;
    for (const design::Control& control : design::Form1Controls) {
        if (!design::TakesFocus(control))
            continue;
        QWidget* widget = findChild<QWidget*>(WidgetName(control));
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form1::showBoxValue(int k)
{
    BitCheckBox* box = bitBoxes_[static_cast<std::size_t>(k)];
    const bool checked = state_.box(k).value == 1;
    if (box->isChecked() != checked) {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
    }
}

void Form1::showBoxColour(int k)
{
    applyColours(design::Find(design::Name::Check1, k));
}

void Form1::describeBoxes()
{
    // The colours mark the split; the descriptions say it. A new split changes what every box says,
    // the boxes whose colour stays the same included.
    for (int k = 0; k < BoxCount; ++k) {
        BitCheckBox* box = bitBoxes_[static_cast<std::size_t>(k)];
        const QString description = descriptionOf(design::Find(design::Name::Check1, k));
        if (box->accessibleDescription() != description)
            box->setAccessibleDescription(description);
    }
}

QString Form1::descriptionOf(const design::Control& control) const
{
    return ToQString(design::DescriptionOf(UserSpokenLanguage(), state_, control));
}

void Form1::act(design::UserAction action, const std::function<void()>& deliver)
{
    deliver();
    // Once, after every handler the action set off has run: never once per box changed.
    const QString words = ToQString(design::AnnouncementOf(UserSpokenLanguage(), state_, action));
    if (words.isEmpty())
        return;
    announcer_->announce(words);
    emit announced(words);
}

void Form1::label1Changed()
{
    label1_->setText(ToQString(state_.label1()));
}

void Form1::label3Changed()
{
    label3_->setText(ToQString(state_.label3()));
}

void Form1::text1Changed()
{
    ShowEntryText(text1_, state_.text1());
}

void Form1::text2Changed()
{
    ShowEntryText(text2_, state_.text2());
}

}  // namespace quadrell
