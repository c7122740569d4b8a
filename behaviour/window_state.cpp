#include "window_state.h"

#include "state_observer.h"
#include "utf8.h"

namespace quadrell {

WindowState::WindowState()
{
    for (int k = 0; k < BoxCount; ++k)
        boxAt(k).caption = std::string(BoxCaption(k));
}

void WindowState::raise(const Handler& handler)
{
    if (handler)
        handler(*this);
}

void WindowState::setBoxValue(int k, std::int16_t value)
{
    BitBox& target = boxAt(k);
    if (target.value == value)
        return;
    target.value = value;
    if (observer_)
        observer_->boxValueChanged(k);
    if (check1Click_)
        check1Click_(*this, static_cast<std::int16_t>(k));
}

void WindowState::setBoxBackColour(int k, Colour colour)
{
    BitBox& target = boxAt(k);
    if (target.backColour == colour)
        return;
    target.backColour = colour;
    if (observer_)
        observer_->boxColourChanged(k);
}

bool WindowState::store(std::string& field, std::string_view text, void (StateObserver::*tellObserver)())
{
    if (field == text)
        return false;
    field.assign(text);
    if (observer_)
        (observer_->*tellObserver)();
    return true;
}

void WindowState::setText1(std::string_view text)
{
    if (store(text1_, text, &StateObserver::text1Changed))
        raise(text1Change_);
}

void WindowState::setLabel1(std::string_view caption)
{
    store(label1_, caption, &StateObserver::label1Changed);
}

void WindowState::setLabel3(std::string_view caption)
{
    store(label3_, caption, &StateObserver::label3Changed);
}

void WindowState::userClicksBox(int k)
{
    // A click always flips the box, so it always raises the click notification.
    setBoxValue(k, box(k).value == 1 ? 0 : 1);
}

void WindowState::userEditsText1(std::string_view text)
{
    // The entry takes at most three characters from the user, whichever front end delivers them.
    setText1(Utf8Prefix(text, Text1MaxLength));
}

void WindowState::userClicksText1()
{
    raise(text1Click_);
}

void WindowState::userEditsText2(std::string_view text)
{
    if (store(text2_, text, &StateObserver::text2Changed))
        raise(text2Change_);
}

void WindowState::userClicksCommand1()
{
    raise(command1Click_);
}

void WindowState::loadForm1()
{
    raise(form1Load_);
}

}  // namespace quadrell
