#pragma once

#include <array>
#include <memory>
#include <optional>

#include <windows.h>

#include "colour_policy.h"
#include "form_design.h"
#include "gdi_resources.h"
#include "text_ink.h"
#include "window_view.h"

namespace quadrell::win32 {

// The Quadrell window built from native controls, one per control of the design, painted and
// spoken as its presenter says. Its message handlers only report the user's clicks and edits to the
// presenter.
class Form1Window : public WindowView {
public:
    Form1Window() = default;
    ~Form1Window() override;
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;

    // Creates the window and its controls; false when the system refused.
    bool create(HINSTANCE instance);
    HWND handle() const { return window_; }

    // WindowView
    std::string userLocale() const override;
    NumberFormat userNumberFormat() const override;
    design::DesktopScheme desktopScheme() const override;
    std::string shownText(const design::Control& control) const override;
    void showText(const design::Control& control, std::string_view text) override;
    void showChecked(const design::Control& box, bool checked) override;
    void showColours(const design::Control& control, const design::ControlColours& colours) override;
    void showFrame(const design::Control& control, std::optional<Colour> colour) override;
    void describe(const design::Control& control, std::string_view description) override;
    void nameAction(const design::Control& button, std::string_view actionName) override;
    void announce(const design::Control& acting, std::string_view words) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EntryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls(HINSTANCE instance);
    void createControl(HINSTANCE instance, const design::Control& control);
    void onCommand(HWND from, int code);
    LRESULT onControlColour(UINT message, HDC dc, HWND control);
    void onDrawButton(const DRAWITEMSTRUCT& item);
    void onPaint();
    void onActivate(bool active);
    void onSchemeChanged();
    void onDpiChanged(int dotsPerInch, const RECT& suggested);

    // Places every control as the design says at the resolution of gdi_, in its font there.
    void placeControls();
    HFONT fontOf(const design::Control& control);

    void tellScreenReaders(DWORD event, HWND control) const;
    HWND control(const design::Control& control) const { return controls_[design::PlaceOf(control)]; }

    HWND window_ = nullptr;
    // One child window per row of the design table, in its order (none for a shape, which the window
    // paints), and the colours each is painted in.
    std::array<HWND, design::Form1Controls.size()> controls_{};
    std::array<design::ControlColours, design::Form1Controls.size()> colours_{};
    std::array<Colour, design::Form1Controls.size()> outlines_{};
    HWND focusWhenInactive_ = nullptr;
    std::unique_ptr<GdiResources> gdi_;
    // Where "Cancella"'s ink lies in its font: measured once per set of fonts, not at every paint.
    std::optional<InkColumns> buttonInk_;
};

}  // namespace quadrell::win32
