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
#include "narration.h"
#include "subclass.h"
#include "text_conversion.h"
#include "user_language.h"
#include "window_state.h"

namespace quadrell::win32 {

namespace {

// No WS_CLIPCHILDREN: the outline shape is painted on the window itself and must show through
// the labels that take the window's own background.
constexpr DWORD FrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Where the decimal entry keeps the procedure its mouse clicks pass on to.
constexpr wchar_t Text1ClickProperty[] = L"Quadrell.Text1Click";

// Shows the stored text in an entry that does not already show it: setting an edit control's
// text moves its caret, so the user's own edit is not echoed back.
void ShowEntryText(HWND entry, const std::string& stored)
{
    const std::wstring text = Widen(stored);
    if (WindowText(entry) != text)
        SetWindowTextW(entry, text.c_str());
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

Form1Window::Form1Window(WindowState& state) : state_(state) {}

Form1Window::~Form1Window()
{
    state_.setObserver(nullptr);
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

    scheme_ = ReadDesktopScheme();
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
    state_.setObserver(this);
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

    HWND text1 = control(design::Name::Text1);
    SendMessageW(text1, EM_LIMITTEXT, static_cast<WPARAM>(design::Find(design::Name::Text1).maxLength), 0);
    Subclass(text1, Text1ClickProperty, Text1Proc);
    SetFocus(control(design::Name::Check1, 0));
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
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control.name, control.index))), instance, nullptr);
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), FALSE);
    MakeAccessible(created);
    SetDescription(created, Widen(design::DescriptionOf(UserSpokenLanguage(), state_, control)));
    controls_[static_cast<std::size_t>(ControlId(control.name, control.index) - FirstControlId)] = created;
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
        HWND placed = control(each.name, each.index);
        SetWindowPos(placed, nullptr, gdi_->pixels(b.left), gdi_->pixels(b.top), gdi_->pixels(b.width),
                     gdi_->pixels(b.height), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(placed, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(each)), TRUE);
    }
}

HWND Form1Window::control(design::Name name, int index) const
{
    return controls_[static_cast<std::size_t>(ControlId(name, index) - FirstControlId)];
}

const design::Control* Form1Window::designOf(HWND control) const
{
    return ControlOfId(GetDlgCtrlID(control));
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

LRESULT CALLBACK Form1Window::Text1Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallSubclassed(Text1ClickProperty, edit, message, wParam, lParam);
    if (message == WM_LBUTTONUP) {
        auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(GetParent(edit), GWLP_USERDATA));
        // A mouse click: the left button released inside the entry. Focus by Tab is no click.
        RECT inside;
        GetClientRect(edit, &inside);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&inside, at))
            self->act(edit, design::UserAction::ClicksText1, [self] { self->state_.userClicksText1(); });
    }
    return result;
}

LRESULT Form1Window::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
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
        state_.setObserver(nullptr);
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Form1Window::onCommand(int id, int code)
{
    if (id >= ControlId(design::Name::Check1, 0) && id <= ControlId(design::Name::Check1, BoxCount - 1)) {
        // BN_CLICKED comes from the mouse and the space bar, never from BM_SETCHECK.
        if (code == BN_CLICKED)
            state_.userClicksBox(id - ControlId(design::Name::Check1, 0));
    } else if (id == ControlId(design::Name::Command1)) {
        if (code == BN_CLICKED)
            act(control(design::Name::Command1), design::UserAction::ClicksCommand1,
                [this] { state_.userClicksCommand1(); });
    } else if (code == EN_CHANGE) {
        onEntryChanged(id);
    }
}

void Form1Window::onEntryChanged(int id)
{
    // Edit controls report programmatic changes, and sometimes a keystroke the length limit
    // refused, just like typing: only text that differs from the stored text is a user's edit.
    const bool isText1 = id == ControlId(design::Name::Text1);
    HWND entry = GetDlgItem(window_, id);
    const std::string text = Narrow(WindowText(entry));
    if (text == (isText1 ? state_.text1() : state_.text2()))
        return;
    if (isText1)
        act(entry, design::UserAction::EditsText1, [this, &text] { state_.userEditsText1(text); });
    else
        act(entry, design::UserAction::EditsText2, [this, &text] { state_.userEditsText2(text); });
}

void Form1Window::act(HWND acting, design::UserAction action, const std::function<void()>& deliver)
{
    deliver();
    // Once, after every handler the action set off has run: never once per box changed. Screen
    // readers speak a change of the focused control's description; the focus stays where it is.
    const std::string words = design::AnnouncementOf(UserSpokenLanguage(), state_, action);
    if (words.empty())
        return;
    HWND focused = GetFocus();
    Announce(focused && GetParent(focused) == window_ ? focused : acting, Widen(words));
}

LRESULT Form1Window::onControlColour(UINT message, HDC dc, HWND control)
{
    const design::Control* design = designOf(control);
    if (!design)
        return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const design::ControlColours colours = coloursOf(*design);
    SetTextColor(dc, colours.text);
    if (design->kind == design::Kind::Label && !design->background) {
        // A caption on the window's own background lets what is painted beneath show through.
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, colours.background);
    return reinterpret_cast<LRESULT>(gdi_->brush(colours.background));
}

design::ControlColours Form1Window::coloursOf(const design::Control& control) const
{
    return design::ColoursShown(control, state_, scheme_);
}

void Form1Window::onDrawButton(const DRAWITEMSTRUCT& item)
{
    // A plain push button ignores any brush, so "Cancella" draws its own coloured face.
    const design::Control& button = design::Find(design::Name::Command1);
    RECT face = item.rcItem;
    const design::ButtonLook look = design::ButtonLookOf((item.itemState & ODS_SELECTED) != 0);
    const design::ControlColours colours = coloursOf(button);
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
    // The outline shape: a dark-blue frame with a transparent inside, in the window's text colour
    // where the blue would not stand out. One pixel wide at 96 dots per inch, wider with the scale,
    // inside the shape's bounds.
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const design::Control& shape = design::Find(design::Name::Shape1);
    const int width = std::max(1, gdi_->dotsPerInch() / 96);
    HPEN pen = CreatePen(PS_INSIDEFRAME, width, design::OutlineColourOf(shape.outline.value_or(0), scheme_));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const design::Rect& b = shape.bounds;
    Rectangle(dc, gdi_->pixels(b.left), gdi_->pixels(b.top), gdi_->pixels(b.left) + gdi_->pixels(b.width),
              gdi_->pixels(b.top) + gdi_->pixels(b.height));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    EndPaint(window_, &paint);
}

void Form1Window::onActivate(bool active)
{
    // The focus returns to the control that had it when the window was last active.
    if (!active) {
        focusWhenInactive_ = GetFocus();
        return;
    }
    SetFocus(focusWhenInactive_ ? focusWhenInactive_ : control(design::Name::Check1, 0));
}

void Form1Window::onSchemeChanged()
{
    scheme_ = ReadDesktopScheme();
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

void Form1Window::boxValueChanged(int k)
{
    SendMessageW(control(design::Name::Check1, k), BM_SETCHECK, state_.box(k).value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    // Screen readers hear the new state.
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control(design::Name::Check1, k), OBJID_CLIENT, CHILDID_SELF);
}

void Form1Window::boxColourChanged(int k)
{
    InvalidateRect(control(design::Name::Check1, k), nullptr, TRUE);
    // The colours mark the split; the descriptions say it. A new split changes what every box says,
    // the boxes whose colour stays the same included.
    for (int box = 0; box < BoxCount; ++box) {
        HWND each = control(design::Name::Check1, box);
        const std::wstring description
            = Widen(design::DescriptionOf(UserSpokenLanguage(), state_, design::Find(design::Name::Check1, box)));
        if (SetDescription(each, description))
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, each, OBJID_CLIENT, CHILDID_SELF);
    }
}

void Form1Window::label1Changed()
{
    SetWindowTextW(control(design::Name::Label1), Widen(state_.label1()).c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control(design::Name::Label1), OBJID_CLIENT, CHILDID_SELF);
}

void Form1Window::label3Changed()
{
    SetWindowTextW(control(design::Name::Label3), Widen(state_.label3()).c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control(design::Name::Label3), OBJID_CLIENT, CHILDID_SELF);
}

void Form1Window::text1Changed()
{
    ShowEntryText(control(design::Name::Text1), state_.text1());
}

void Form1Window::text2Changed()
{
    ShowEntryText(control(design::Name::Text2), state_.text2());
}

}  // namespace quadrell::win32
