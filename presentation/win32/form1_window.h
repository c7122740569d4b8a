#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include <windows.h>

#include "bit_box.h"
#include "colour_policy.h"
#include "form_design.h"
#include "gdi_resources.h"
#include "narration.h"
#include "state_observer.h"
#include "text_ink.h"

namespace quadrell {

class WindowState;

namespace win32 {

// The Quadrell window built from native controls: shows a WindowState and turns the user's clicks
// and edits into its notifications. It keeps no state or rules of its own.
class Form1Window : private StateObserver {
public:
    explicit Form1Window(WindowState& state);
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Creates the window and its controls; false when the system refused.
    bool create(HINSTANCE instance);
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Text1Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls(HINSTANCE instance);
    void createControl(HINSTANCE instance, const design::Control& control);
    void onCommand(int id, int code);
    void onEntryChanged(int id);
    // Delivers a user's action on `acting` to the state, then tells screen readers its outcome.
    void act(HWND acting, design::UserAction action, const std::function<void()>& deliver);
    LRESULT onControlColour(UINT message, HDC dc, HWND control);
    void onDrawButton(const DRAWITEMSTRUCT& item);
    void onPaint();
    void onActivate(bool active);
    void onSchemeChanged();
    void onDpiChanged(int dotsPerInch, const RECT& suggested);

    // Places every control as the design says at the resolution of gdi_, in its font there.
    void placeControls();
    HFONT fontOf(const design::Control& control);
    design::ControlColours coloursOf(const design::Control& control) const;

    HWND control(design::Name name, int index = 0) const;
    const design::Control* designOf(HWND control) const;

    // StateObserver: the state changed; repaint the control concerned.
    void boxValueChanged(int k) override;
    void boxColourChanged(int k) override;
    void label1Changed() override;
    void label3Changed() override;
    void text1Changed() override;
    void text2Changed() override;

    WindowState& state_;
    HWND window_ = nullptr;
    std::array<HWND, design::Form1Controls.size()> controls_{};
    HWND focusWhenInactive_ = nullptr;
    std::unique_ptr<GdiResources> gdi_;
    // Where "Cancella"'s ink lies in its font: measured once per set of fonts, not at every paint.
    std::optional<InkColumns> buttonInk_;
    design::DesktopScheme scheme_{};
};

}  // namespace win32
}  // namespace quadrell
