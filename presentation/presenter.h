#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "colour_policy.h"
#include "form_design.h"
#include "narration.h"
#include "spoken_words.h"
#include "state_observer.h"

namespace quadrell {

class WindowState;
class WindowView;

// Everything between the window state and a window, written once for every toolkit: which control
// shows which text, check state and colour, what screen readers hear and when, and the delivery of
// the user's actions. A window reports here what the user did and shows what it is told.
class Presenter : private StateObserver {
public:
    // Shows `state` in `view` as it stands, keeps it shown, and delivers the view's actions to it.
    Presenter(WindowState& state, WindowView& view);
    ~Presenter() override;
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // What the user did, as the window saw it. A click is the mouse or, on a box or the button, the
    // space bar; on a control that has no action it does nothing. An edit gives the entry's whole
    // new text.
    void userClicks(const design::Control& control);
    void userEdits(const design::Control& entry, std::string_view text);
    // The desktop's colours changed: every control is painted again in the new scheme.
    void desktopSchemeChanged();

private:
    // Delivers an action to the state, then tells screen readers its outcome, once.
    void act(const design::Control& acting, design::UserAction action, const std::function<void()>& deliver);
    void showText(const design::Control& control, const std::string& stored);
    void showColours(const design::Control& control);
    void showAllColours();
    void describe(const design::Control& control);
    const std::string& storedText(const design::Control& entry) const;

    // StateObserver: the state changed; the control showing it follows.
    void boxValueChanged(int k) override;
    void boxColourChanged(int k) override;
    void label1Changed() override;
    void label3Changed() override;
    void text1Changed() override;
    void text2Changed() override;

    WindowState& state_;
    WindowView& view_;
    const design::SpokenLanguage language_;
    design::DesktopScheme scheme_;
    // What each control was last described as: screen readers are told only of a real change.
    std::array<std::string, design::Form1Controls.size()> descriptions_;
};

}  // namespace quadrell
