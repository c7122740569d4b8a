#include "accessible_control.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <oleacc.h>
#include <oleidl.h>

#include "accessibility_library.h"
#include "control_ids.h"
#include "subclass.h"
#include "text_conversion.h"

namespace quadrell::win32 {

namespace {

constexpr wchar_t DefaultProcProperty[] = L"Quadrell.DefaultProc";

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// What a control says as its description: its own words, or the announcement it holds; and the
// name of its default action, for a button.
struct SpokenDescription {
    std::wstring own;
    std::optional<std::wstring> announced;  // until the focus next arrives on the control
    std::wstring action;
    const std::wstring& current() const { return announced ? *announced : own; }
};

// Every accessible control's description, kept on the window's one thread.
std::map<HWND, SpokenDescription>& Descriptions()
{
    static std::map<HWND, SpokenDescription> descriptions;
    return descriptions;
}

std::vector<HWND> ChildWindows(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

LONG RoleOf(design::Kind kind)
{
    switch (kind) {
    case design::Kind::CheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case design::Kind::Label: return ROLE_SYSTEM_STATICTEXT;
    case design::Kind::TextEntry: return ROLE_SYSTEM_TEXT;
    case design::Kind::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case design::Kind::Shape: break;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The accessible object of the window or of one of its controls. The system's standard object
// answers what it answers right everywhere (place, focus, parent); this one adds what the
// system's class proxies give only on some systems, or not at all for an owner-drawn button:
// role, name, state, value, description and default action as the Linux window gives them, and
// a tree of child windows a client can walk down.
class AccessibleControl final : public IAccessible, public IOleWindow {
public:
    // A new object with one reference, or nullptr.
    static AccessibleControl* Create(HWND window, const AccessibilityLibrary& library)
    {
        IAccessible* standard = nullptr;
        if (FAILED(library.createStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&standard))))
            return nullptr;
        return new AccessibleControl(window, standard, library);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *object = static_cast<IOleWindow*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleWindow: how clients find the window of an object.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return *window = window_, S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT at, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(at, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, badArgument);
    }

    // IAccessible: the tree of child windows.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        *count = static_cast<LONG>(ChildWindows(window_).size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        const std::vector<HWND> children = ChildWindows(window_);
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<LONG>(children.size()))
            return *object = nullptr, E_INVALIDARG;
        return objectOf(children[static_cast<std::size_t>(child.lVal - 1)], object);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        if (!IsSelf(start))
            return standard_->accNavigate(direction, start, end);
        HWND to = nullptr;
        switch (direction) {
        case NAVDIR_FIRSTCHILD: to = ::GetWindow(window_, GW_CHILD); break;
        case NAVDIR_LASTCHILD: to = ::GetWindow(::GetWindow(window_, GW_CHILD), GW_HWNDLAST); break;
        case NAVDIR_NEXT: to = isControl() ? ::GetWindow(window_, GW_HWNDNEXT) : nullptr; break;
        case NAVDIR_PREVIOUS: to = isControl() ? ::GetWindow(window_, GW_HWNDPREV) : nullptr; break;
        default: return standard_->accNavigate(direction, start, end);
        }
        end->vt = VT_EMPTY;
        if (!to)
            return S_FALSE;
        const HRESULT found = objectOf(to, &end->pdispVal);
        if (SUCCEEDED(found))
            end->vt = VT_DISPATCH;
        return found;
    }

    // IAccessible: what the control is and says.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!IsSelf(child) || !design())
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = RoleOf(design()->kind);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child) || !design())
            return standard_->get_accName(child, name);
        // An entry is named by its caption; every other control by what it shows.
        const std::optional<design::Name> caption = design::CaptionOf(design()->name);
        return text(caption ? Widen(design::Find(*caption).caption) : WindowText(window_), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        if (!IsSelf(child) || !design() || design()->kind != design::Kind::TextEntry)
            return standard_->get_accValue(child, value);
        return text(WindowText(window_), value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        if (!IsSelf(child) || !design())
            return standard_->get_accDescription(child, description);
        const auto held = Descriptions().find(window_);
        return text(held == Descriptions().end() ? std::wstring() : held->second.current(), description);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        const HRESULT got = standard_->get_accState(child, state);
        if (FAILED(got) || !IsSelf(child) || !design() || design()->kind != design::Kind::CheckBox)
            return got;
        state->vt = VT_I4;
        state->lVal = checked() ? (state->lVal | STATE_SYSTEM_CHECKED) : (state->lVal & ~STATE_SYSTEM_CHECKED);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!IsSelf(child) || !isButton())
            return standard_->get_accDefaultAction(child, action);
        const auto held = Descriptions().find(window_);
        return text(held == Descriptions().end() ? std::wstring() : held->second.action, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsSelf(child) || !isButton())
            return standard_->accDoDefaultAction(child);
        // Posted: the press runs from the message loop, after this call has returned.
        PostMessageW(window_, BM_CLICK, 0, 0);
        return S_OK;
    }

    // IAccessible: the rest as the system has it.
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override { return standard_->accHitTest(x, y, child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override { return standard_->put_accValue(child, value); }

private:
    AccessibleControl(HWND window, IAccessible* standard, const AccessibilityLibrary& library)
        : window_(window), standard_(standard), library_(library)
    {
    }
    ~AccessibleControl() { standard_->Release(); }

    bool isControl() const { return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD) != 0; }

    // The control's place in the design; nullptr for the window itself.
    const design::Control* design() const
    {
        return isControl() ? ControlOfId(GetDlgCtrlID(window_)) : nullptr;
    }
    bool checked() const { return SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool isButton() const { return design() && design()->kind == design::Kind::PushButton; }

    HRESULT text(const std::wstring& text, BSTR* out) const
    {
        if (text.empty())
            return *out = nullptr, S_FALSE;
        *out = library_.sysAllocString(text.c_str());
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT objectOf(HWND window, IDispatch** object) const
    {
        AccessibleControl* created = Create(window, library_);
        *object = created ? static_cast<IAccessible*>(created) : nullptr;
        return created ? S_OK : E_FAIL;
    }

    LONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
    const AccessibilityLibrary& library_;
};

LRESULT CALLBACK AccessibleControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETOBJECT:
        if (const LRESULT answer = AnswerGetObject(control, wParam, lParam))
            return answer;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // An announcement is heard while its control has the focus; afterwards it would be out of
        // date. Screen readers hear of the focus after these messages are handled.
        if (const auto held = Descriptions().find(control); held != Descriptions().end())
            held->second.announced.reset();
        break;
    case WM_NCDESTROY: Descriptions().erase(control); break;
    default: break;
    }
    return CallSubclassed(DefaultProcProperty, control, message, wParam, lParam);
}

}  // namespace

void MakeAccessible(HWND control)
{
    Subclass(control, DefaultProcProperty, AccessibleControlProc);
}

void SetDescription(HWND control, const std::wstring& description)
{
    Descriptions()[control].own = description;
}

void SetActionName(HWND control, const std::wstring& name)
{
    Descriptions()[control].action = name;
}

void Announce(HWND control, const std::wstring& words)
{
    Descriptions()[control].announced = words;
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    const AccessibilityLibrary* library = LoadAccessibilityLibrary();
    AccessibleControl* object = library ? AccessibleControl::Create(window, *library) : nullptr;
    if (!object)
        return 0;
    const LRESULT answer = library->lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return FAILED(static_cast<HRESULT>(answer)) ? 0 : answer;
}

}  // namespace quadrell::win32
