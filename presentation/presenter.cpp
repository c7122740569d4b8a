#include "presenter.h"

#include "window_state.h"
#include "window_view.h"

namespace quadrell {

namespace {

using design::Control;
using design::Find;
using design::Name;

// The controls as the presenter knows them: by what they are.
const Control& BinaryDisplay = Find(Name::Label1);
const Control& DecimalDisplay = Find(Name::Label3);
const Control& DecimalEntry = Find(Name::Text1);
const Control& SplitEntry = Find(Name::Text2);
const Control& ClearButton = Find(Name::Command1);

const Control& BitBoxControl(int k)
{
    return Find(Name::Check1, k);
}

}  // namespace

Presenter::Presenter(WindowState& state, WindowView& view)
    : state_(state), view_(view), language_(design::LanguageOfLocale(view.userLocale())),
      scheme_(view.desktopScheme())
{
    // The view reports to this presenter from now on; its reports while the state is first shown
    // change nothing, since the view shows only what the state holds.
    view_.presenter_ = this;
    for (int k = 0; k < BoxCount; ++k)
        view_.showChecked(BitBoxControl(k), state_.box(k).value == 1);
    showText(BinaryDisplay, state_.label1());
    showText(DecimalDisplay, state_.label3());
    showText(DecimalEntry, state_.text1());
    showText(SplitEntry, state_.text2());
    showAllColours();  // in the scheme read above, once: each reading is a query to the toolkit
    for (const Control& control : design::Form1Controls)
        describe(control);
    view_.nameAction(ClearButton, design::PressActionName(language_));
    state_.setObserver(this);
}

Presenter::~Presenter()
{
    state_.setObserver(nullptr);
    view_.presenter_ = nullptr;
}

void Presenter::userClicks(const Control& control)
{
    switch (control.name) {
    case Name::Check1:
        act(control, design::UserAction::ClicksBox, [this, &control] { state_.userClicksBox(control.index); });
        break;
    case Name::Text1: act(control, design::UserAction::ClicksText1, [this] { state_.userClicksText1(); }); break;
    case Name::Command1: act(control, design::UserAction::ClicksCommand1, [this] { state_.userClicksCommand1(); }); break;
    default: break;
    }
}

void Presenter::userEdits(const Control& entry, std::string_view text)
{
    // Some toolkits report the program's own changes, and keystrokes the length limit refused, as
    // edits too: only a text that differs from the stored one is the user's.
    if (text == storedText(entry))
        return;
    if (entry.name == Name::Text1)
        act(entry, design::UserAction::EditsText1, [this, text] { state_.userEditsText1(text); });
    else if (entry.name == Name::Text2)
        act(entry, design::UserAction::EditsText2, [this, text] { state_.userEditsText2(text); });
}

void Presenter::desktopSchemeChanged()
{
    scheme_ = view_.desktopScheme();
    showAllColours();
}

void Presenter::showAllColours()
{
    for (const Control& control : design::Form1Controls)
        showColours(control);
}

void Presenter::act(const Control& acting, design::UserAction action, const std::function<void()>& deliver)
{
    deliver();
    // Once, after every handler the action set off has run: never once per box changed.
    const std::string words = design::AnnouncementOf(language_, state_, action);
    if (!words.empty())
        view_.announce(acting, words);
}

void Presenter::showText(const Control& control, const std::string& stored)
{
    // Echoing the user's own edit back would move the cursor and lose the undo history, so an entry
    // that already shows the stored text is left alone; so is a display, which has nothing to redraw
    // and nothing new to tell screen readers.
    if (view_.shownText(control) != stored)
        view_.showText(control, stored);
}

void Presenter::showColours(const Control& control)
{
    switch (control.kind) {
    case design::Kind::Shape: view_.showFrame(control, design::OutlineColourOf(control.outline.value_or(0), scheme_)); return;
    case design::Kind::TextEntry: view_.showFrame(control, design::EntryFrameColourOf(scheme_)); break;
    default: break;
    }
    view_.showColours(control, design::ColoursShown(control, state_, scheme_));
}

void Presenter::describe(const Control& control)
{
    std::string description = design::DescriptionOf(language_, state_, control);
    std::string& told = descriptions_[design::PlaceOf(control)];
    if (description == told)
        return;
    told = std::move(description);
    view_.describe(control, told);
}

const std::string& Presenter::storedText(const Control& entry) const
{
    return entry.name == Name::Text1 ? state_.text1() : state_.text2();
}

void Presenter::boxValueChanged(int k)
{
    view_.showChecked(BitBoxControl(k), state_.box(k).value == 1);
}

void Presenter::boxColourChanged(int k)
{
    showColours(BitBoxControl(k));
    // The colours mark the split; the descriptions say it. A new split changes what every box says,
    // the boxes whose colour stays the same included.
    for (int box = 0; box < BoxCount; ++box)
        describe(BitBoxControl(box));
}

void Presenter::label1Changed()
{
    showText(BinaryDisplay, state_.label1());
}

void Presenter::label3Changed()
{
    showText(DecimalDisplay, state_.label3());
}

void Presenter::text1Changed()
{
    showText(DecimalEntry, state_.text1());
}

void Presenter::text2Changed()
{
    showText(SplitEntry, state_.text2());
}

}  // namespace quadrell
