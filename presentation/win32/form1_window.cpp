#include "form1_window.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "accessible_control.h"
#include "button_look.h"
#include "control_ids.h"
#include "desktop_scheme.h"
#include "display_dpi.h"
#include "presenter.h"
#include "subclass.h"
#include "text_conversion.h"

namespace quadrell::win32 {

namespace {

// No WS_CLIPCHILDREN: the outline shape is painted on the window itself and must show through
// the labels that take the window's own background.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Where an entry keeps the procedure its mouse clicks pass on to.
constexpr wchar_t EntryClickProperty[] = L"Quadrell.EntryClick";

// The design's control that `child` shows; nullptr for any other window.
const design::Control* DesignOf(HWND child)
{
    return ControlOfId(GetDlgCtrlID(child));
}

// The window class and style of each kind of control.
struct NativeKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

NativeKind NativeKindOf(const design::Control& control)
{
    const bool centred = control.alignment == design::Alignment::Centre;
    switch (control.kind) {
    case design::Kind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case design::Kind::Label: return {L"STATIC", static_cast<DWORD>(centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX, 0};
    case design::Kind::TextEntry:
        return {L"EDIT", static_cast<DWORD>(centred ? ES_CENTER : ES_LEFT) | ES_AUTOHSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case design::Kind::PushButton: return {L"BUTTON", BS_PUSHBUTTON | BS_OWNERDRAW | WS_TABSTOP, 0};
    case design::Kind::Shape: break;
    }
    return {nullptr, 0, 0};
}

}  // namespace

Form1Window::~Form1Window()
{
    if (window_)
        DestroyWindow(window_);
}

bool Form1Window::create(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WindowClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    gdi_ = std::make_unique<GdiResources>(SystemDpi());

    // The design fixes the client area; the frame grows around it.
    const RECT frame = FrameAround({0, 0, gdi_->pixels(design::Form1.clientWidth), gdi_->pixels(design::Form1.clientHeight)},
                                   FrameStyle, gdi_->dotsPerInch());
    window_ = CreateWindowExW(0, WindowClassName, Widen(design::Form1.caption).c_str(), FrameStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, this);
    if (!window_)
        return false;
    createControls(instance);
    // A window that opens on a monitor of another scale than the system's is laid out for that one.
    if (const int dotsPerInch = WindowDpi(window_); dotsPerInch != gdi_->dotsPerInch()) {
        RECT place;
        GetWindowRect(window_, &place);
        RECT sized = FrameAround({0, 0, design::ToPixels(design::Form1.clientWidth, dotsPerInch),
                                  design::ToPixels(design::Form1.clientHeight, dotsPerInch)},
                                 FrameStyle, dotsPerInch);
        OffsetRect(&sized, place.left - sized.left, place.top - sized.top);
        onDpiChanged(dotsPerInch, sized);
    }
    return true;
}

void Form1Window::createControls(HINSTANCE instance)
{
    // Created in focus order, so the dialog keys' walk through WS_TABSTOP controls follows it.
    // An entry's caption is created just before the entry: screen readers name an edit control
    // after the label that precedes it.
    for (const design::Control& each : design::Form1Controls) {
        if (each.kind == design::Kind::Label && design::IsEntryCaption(each.name))
            continue;
        if (const std::optional<design::Name> caption = design::CaptionOf(each.name))
            createControl(instance, design::Find(*caption));
        createControl(instance, each);
    }

    SetFocus(controls_.front());
}

void Form1Window::createControl(HINSTANCE instance, const design::Control& control)
{
    if (control.kind == design::Kind::Shape)
        return;  // painted by the window itself
    const NativeKind kind = NativeKindOf(control);
    const design::Rect& b = control.bounds;
    HWND created = CreateWindowExW(
        kind.extendedStyle, kind.windowClass, Widen(control.caption).c_str(), WS_CHILD | WS_VISIBLE | kind.style,
        gdi_->pixels(b.left), gdi_->pixels(b.top), gdi_->pixels(b.width), gdi_->pixels(b.height), window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control))), instance, nullptr);
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), FALSE);
    MakeAccessible(created);
    if (control.kind == design::Kind::TextEntry) {
        if (control.maxLength > 0)
            SendMessageW(created, EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        Subclass(created, EntryClickProperty, EntryProc);
    }
    controls_[design::PlaceOf(control)] = created;
}

HFONT Form1Window::fontOf(const design::Control& control)
{
    return control.font ? gdi_->font(*control.font) : gdi_->dialogFont();
}

void Form1Window::placeControls()
{
    for (const design::Control& each : design::Form1Controls) {
        if (each.kind == design::Kind::Shape)
            continue;
        const design::Rect& b = each.bounds;
        HWND placed = control(each);
        SetWindowPos(placed, nullptr, gdi_->pixels(b.left), gdi_->pixels(b.top), gdi_->pixels(b.width),
                     gdi_->pixels(b.height), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(placed, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(each)), TRUE);
    }
}

LRESULT CALLBACK Form1Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Form1Window::EntryProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallSubclassed(EntryClickProperty, edit, message, wParam, lParam);
    if (message == WM_LBUTTONUP) {
        auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
        // A mouse click: the left button released inside the entry. Focus by Tab is no click.
        RECT inside;
        GetClientRect(edit, &inside);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&inside, at) && self->presented())
            self->presenter().userClicks(*DesignOf(edit));
    }
    return result;
}

LRESULT Form1Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return onControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        onDrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_GETOBJECT:
        if (const LRESULT answer = AnswerGetObject(window_, wParam, lParam))
            return answer;
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        onSchemeChanged();
        return 0;
    case WM_SETTINGCHANGE:
        onSchemeChanged();
        if (wParam == SPI_SETNONCLIENTMETRICS) {
            // The desktop's dialog font changed: the controls without a font of their own follow.
            RECT place;
            GetWindowRect(window_, &place);
            onDpiChanged(gdi_->dotsPerInch(), place);
        }
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form1Window::onCommand(HWND from, int code)
{
    const design::Control* control = DesignOf(from);
    if (!control || !presented())
        return;
    // BN_CLICKED comes from the mouse and the space bar, never from BM_SETCHECK. An edit control
    // reports every change of its text, the program's own included; the presenter tells them apart.
    if (code == BN_CLICKED)
        presenter().userClicks(*control);
    else if (code == EN_CHANGE)
        presenter().userEdits(*control, Narrow(WindowText(from)));
}

LRESULT Form1Window::onControlColour(UINT message, HDC dc, HWND control)
{
    const design::Control* design = DesignOf(control);
    if (!design)
        return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const design::ControlColours& colours = colours_[design::PlaceOf(*design)];
    SetTextColor(dc, colours.text);
    if (design->kind == design::Kind::Label && !design->background) {
        // A caption on the window's own background lets what is painted beneath show through.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, colours.background);
    return reinterpret_cast<LRESULT>(gdi_->brush(colours.background));
}

void Form1Window::onDrawButton(const DRAWITEMSTRUCT& item)
{
    // A plain push button ignores any brush, so "Cancella" draws its own coloured face.
    const design::Control& button = *DesignOf(item.hwndItem);
    RECT face = item.rcItem;
    const design::ButtonLook look = design::ButtonLookOf((item.itemState & ODS_SELECTED) != 0);
    const design::ControlColours& colours = colours_[design::PlaceOf(button)];
    FillRect(item.hDC, &face, gdi_->brush(colours.background));
    DrawEdge(item.hDC, &face, look.edge == design::Edge::Sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring text = Widen(button.caption);
    if (!buttonInk_)
        buttonInk_ = InkOf(fontOf(button), text);
    const InkColumns ink = *buttonInk_;
    RECT caption = face;
    caption.left += design::CentredCaptionStart(face.right - face.left, ink.left, ink.width);
    OffsetRect(&caption, look.captionShift, look.captionShift);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colours.text);
    DrawTextW(item.hDC, text.c_str(), -1, &caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = face;
        InflateRect(&focus, -design::FocusInset, -design::FocusInset);
        DrawFocusRect(item.hDC, &focus);
    }
}

void Form1Window::onPaint()
{
    // The outline shapes: frames with a transparent inside, one pixel wide at 96 dots per inch, wider
    // with the scale, inside the shape's bounds.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const int width = std::max(1, gdi_->dotsPerInch() / 96);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (const design::Control& shape : design::Form1Controls) {
        if (shape.kind != design::Kind::Shape)
            continue;
        HPEN pen = CreatePen(PS_INSIDEFRAME, width, outlines_[design::PlaceOf(shape)]);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const design::Rect& b = shape.bounds;
        Rectangle(dc, gdi_->pixels(b.left), gdi_->pixels(b.top), gdi_->pixels(b.left) + gdi_->pixels(b.width),
                  gdi_->pixels(b.top) + gdi_->pixels(b.height));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    SelectObject(dc, oldBrush);
    EndPaint(window_, &paint);
}

void Form1Window::onActivate(bool active)
{
    // The focus returns to the control that had it when the window was last active.
    if (!active) {
        focusWhenInactive_ = GetFocus();
        return;
    }
    SetFocus(focusWhenInactive_ ? focusWhenInactive_ : controls_.front());
}

void Form1Window::onSchemeChanged()
{
    if (presented())
        presenter().desktopSchemeChanged();
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form1Window::onDpiChanged(int dotsPerInch, const RECT& suggested)
{
    // The controls leave the old fonts before these are freed, when `previous` goes.
    const std::unique_ptr<GdiResources> previous = std::exchange(gdi_, std::make_unique<GdiResources>(dotsPerInch));
    buttonInk_.reset();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    placeControls();
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form1Window::tellScreenReaders(DWORD event, HWND control) const
{
    // Before the window is first shown there is nobody to tell: screen readers read every control
    // afresh when it appears.
    if (IsWindowVisible(window_))
        NotifyWinEvent(event, control, OBJID_CLIENT, CHILDID_SELF);
}

std::string Form1Window::userLocale() const
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
    return Narrow(name);
}

NumberFormat Form1Window::userNumberFormat() const
{
    // The user's regional settings.
    wchar_t separator[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return NumberFormat{Narrow(separator)};
}

design::DesktopScheme Form1Window::desktopScheme() const
{
    return ReadDesktopScheme();
}

std::string Form1Window::shownText(const design::Control& shown) const
{
    return Narrow(WindowText(control(shown)));
}

void Form1Window::showText(const design::Control& shown, std::string_view text)
{
    HWND target = control(shown);
    SetWindowTextW(target, Widen(text).c_str());
    // An edit control says its new value itself; a static control's text is its name.
    if (shown.kind == design::Kind::Label)
        tellScreenReaders(EVENT_OBJECT_NAMECHANGE, target);
}

void Form1Window::showChecked(const design::Control& box, bool checked)
{
    HWND target = control(box);
    SendMessageW(target, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    tellScreenReaders(EVENT_OBJECT_STATECHANGE, target);
}

void Form1Window::showColours(const design::Control& shown, const design::ControlColours& colours)
{
    colours_[design::PlaceOf(shown)] = colours;
    if (HWND target = control(shown); target && IsWindowVisible(window_))
        InvalidateRect(target, nullptr, TRUE);
}

void Form1Window::showFrame(const design::Control& shown, std::optional<Colour> colour)
{
    // An edit control draws its own sunken edge, which shows in every scheme.
    if (shown.kind != design::Kind::Shape)
        return;
    outlines_[design::PlaceOf(shown)] = colour.value_or(0);
    if (IsWindowVisible(window_))
        InvalidateRect(window_, nullptr, TRUE);
}

void Form1Window::describe(const design::Control& described, std::string_view description)
{
    HWND target = control(described);
    if (!target)
        return;  // a shape: painted by the window, nothing to describe
    SetDescription(target, Widen(description));
    tellScreenReaders(EVENT_OBJECT_DESCRIPTIONCHANGE, target);
}

void Form1Window::nameAction(const design::Control& button, std::string_view actionName)
{
    SetActionName(control(button), Widen(actionName));
}

void Form1Window::announce(const design::Control& acting, std::string_view words)
{
    // Screen readers speak a change of the focused control's description; the focus stays where it is.
    HWND focused = GetFocus();
    Announce(focused && GetParent(focused) == window_ ? focused : control(acting), Widen(words));
}

}  // namespace quadrell::win32
