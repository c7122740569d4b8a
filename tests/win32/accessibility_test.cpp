// Black-box tests of what a screen reader hears from the Windows program: each test starts
// quadrell.exe and reads its controls from this other process through Microsoft Active
// Accessibility, as a screen reader does, while sending real mouse and keyboard input.
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include "control_ids.h"
#include "remote_window.h"
#include "started_window_test.h"

namespace quadrell::win32_testing {

bool ExpectItalian = false;

namespace {

// One apartment for the whole run, as a screen reader's thread has.
class ComApartment : public testing::Environment {
public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};

}  // namespace

// The words expected are those of the user's interface language, unless the run names one after
// the program's path: "en" or "it".
void PrepareTestProgram(int argc, wchar_t** argv)
{
    ExpectItalian = argc > 2 ? std::wstring(argv[2]) == L"it" : PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ITALIAN;
    testing::AddGlobalTestEnvironment(new ComApartment);
}

namespace {

using design::Name;

// Holds one COM reference.
template <typename Interface>
struct Com {
    Interface* p = nullptr;
    Com() = default;
    explicit Com(Interface* held) : p(held) {}
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { if (p) p->Release(); }
    Interface* operator->() const { return p; }
};

// What a screen reader hears of one control.
struct Speech {
    LONG role = 0;
    std::wstring name;
    bool checked = false;
    std::wstring value, description, defaultAction;
    bool operator==(const Speech&) const = default;
};

std::string Utf8(const std::wstring& text)
{
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    out.pop_back();
    return out;
}

std::wstring RoleText(LONG role)
{
    wchar_t text[64] = L"";
    GetRoleTextW(static_cast<DWORD>(role), text, 64);
    return text;
}

void PrintTo(const Speech& s, std::ostream* out)
{
    *out << Utf8(RoleText(s.role)) << " | " << Utf8(s.name) << " | " << (s.checked ? "checked" : "not checked")
         << " | " << Utf8(s.value) << " | " << Utf8(s.description) << " | " << Utf8(s.defaultAction);
}

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

template <typename Getter>
std::wstring Text(Getter get)
{
    BSTR text = nullptr;
    if (FAILED(get(&text)) || !text)
        return L"";
    std::wstring copy(text, SysStringLen(text));
    SysFreeString(text);
    return copy;
}

Speech Read(IAccessible* object)
{
    const VARIANT self = Self();
    Speech s;
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        s.role = role.lVal;
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        s.checked = (state.lVal & STATE_SYSTEM_CHECKED) != 0;
    s.name = Text([&](BSTR* t) { return object->get_accName(self, t); });
    s.value = Text([&](BSTR* t) { return object->get_accValue(self, t); });
    s.description = Text([&](BSTR* t) { return object->get_accDescription(self, t); });
    // Only the button's action is the program's word; a check box's is the system's own
    // ("Check" on Windows, none under Wine).
    if (s.role == ROLE_SYSTEM_PUSHBUTTON)
        s.defaultAction = Text([&](BSTR* t) { return object->get_accDefaultAction(self, t); });
    return s;
}

// A control's accessible object, asked for across the process boundary as screen readers do.
std::unique_ptr<Com<IAccessible>> ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return std::make_unique<Com<IAccessible>>(object);
}

Speech ReadWindow(HWND window)
{
    const auto object = ClientObject(window);
    return object ? Read(object->p) : Speech{};
}

// The words of the user's language, written out here so that a change of them shows.
struct Words {
    const wchar_t *bitOfWeight, *inSplit, *outsideSplit, *binary, *decimal, *press;
    const wchar_t *five, *seventySeven, *oneTwentyEight, *cleared, *threeInSplit;
};
constexpr Words English{L"Bit of weight ", L", in the split", L", outside the split", L"Binary value", L"Decimal value",
                        L"Press", L"Binary 00000101, decimal 5", L"Binary 01001101, decimal 77",
                        L"Binary 10000000, decimal 128", L"Binary 00000000, decimal empty, that is 0",
                        L"The first 3 bits are in the split"};
constexpr Words Italian{L"Bit di peso ", L", nello split", L", fuori dallo split", L"Valore binario", L"Valore decimale",
                        L"Premi", L"Binario 00000101, decimale 5", L"Binario 01001101, decimale 77",
                        L"Binario 10000000, decimale 128", L"Binario 00000000, decimale vuoto, cioè 0",
                        L"I primi 3 bit sono nello split"};

const Words& Said()
{
    return ExpectItalian ? Italian : English;
}

// What every control should say while the window shows the byte `bits`, the decimal display
// `decimal` and the decimal entry `text1`, with no split marked.
std::map<int, Speech> Expected(const std::wstring& bits, const std::wstring& decimal, const std::wstring& text1)
{
    const Words& w = Said();
    std::map<int, Speech> expected;
    for (int k = 0; k < 8; ++k) {
        const bool set = bits[static_cast<std::size_t>(k)] == L'1';
        expected[win32::ControlId(Name::Check1, k)] = {ROLE_SYSTEM_CHECKBUTTON, std::to_wstring(k), set, L"",
                                                       w.bitOfWeight + std::to_wstring(1 << (7 - k)), L""};
    }
    expected[win32::ControlId(Name::Label1)] = {ROLE_SYSTEM_STATICTEXT, bits, false, L"", w.binary, L""};
    expected[win32::ControlId(Name::Label3)] = {ROLE_SYSTEM_STATICTEXT, decimal, false, L"", w.decimal, L""};
    expected[win32::ControlId(Name::Label2)] = {ROLE_SYSTEM_STATICTEXT, L"Split", false, L"", L"", L""};
    expected[win32::ControlId(Name::Label4)] = {ROLE_SYSTEM_STATICTEXT, L"ASCII:", false, L"", L"", L""};
    expected[win32::ControlId(Name::Text1)] = {ROLE_SYSTEM_TEXT, L"ASCII:", false, text1, L"", L""};
    expected[win32::ControlId(Name::Text2)] = {ROLE_SYSTEM_TEXT, L"Split", false, L"", L"", L""};
    expected[win32::ControlId(Name::Command1)] = {ROLE_SYSTEM_PUSHBUTTON, L"Cancella", false, L"", L"", w.press};
    return expected;
}

// Collects the window's accessibility events while a test runs.
class EventLog {
public:
    explicit EventLog(DWORD processId)
    {
        current_ = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, Record, processId, 0,
                                WINEVENT_OUTOFCONTEXT);
    }
    ~EventLog()
    {
        if (hook_)
            UnhookWinEvent(hook_);
        current_ = nullptr;
    }
    bool hooked() const { return hook_ != nullptr; }
    // Waits a little, taking in the events, until `window` raised `event` on its client object.
    bool waitFor(DWORD event, HWND window)
    {
        return RemoteWindow::waitUntil([&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            return seen_.count({event, window}) > 0;
        });
    }
    // How often `window` raised `event`, once the window has taken in what was sent.
    int count(DWORD event, HWND window)
    {
        RemoteWindow::settle();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        return static_cast<int>(seen_.count({event, window}));
    }
    // Whether `window` raised `first` before it raised `then`, among the events taken in so far.
    bool before(DWORD first, DWORD then, HWND window) const
    {
        const auto at = [&](DWORD event) { return std::find(order_.begin(), order_.end(), std::pair{event, window}); };
        return at(first) < at(then) && at(then) != order_.end();
    }
    void clear()
    {
        seen_.clear();
        order_.clear();
    }

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
    {
        if (current_ && object == OBJID_CLIENT && child == CHILDID_SELF) {
            current_->seen_.insert({event, window});
            current_->order_.push_back({event, window});
        }
    }
    static inline EventLog* current_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
    std::multiset<std::pair<DWORD, HWND>> seen_;
    std::vector<std::pair<DWORD, HWND>> order_;
};

class AccessibilityTest : public StartedWindowTest {
protected:
    // Every control says what it should, read afresh from outside.
    // `announcing`: the focused control, which says the outcome of the last action as its description.
    void expectSpeech(const std::wstring& bits, const std::wstring& decimal, const std::wstring& text1,
                      const char* when, std::pair<Name, std::wstring> announcing = {Name::Shape1, L""})
    {
        std::map<int, Speech> all = Expected(bits, decimal, text1);
        if (announcing.first != Name::Shape1)
            all[win32::ControlId(announcing.first)].description = announcing.second;
        for (const auto& [id, expected] : all)
            EXPECT_EQ(ReadWindow(GetDlgItem(quadrell->window(), id)), expected) << when << ", control " << id;
    }
    bool speaks(int id, const std::wstring& name)
    {
        return RemoteWindow::waitUntil([&] { return ReadWindow(GetDlgItem(quadrell->window(), id)).name == name; });
    }
    DWORD processId() const
    {
        DWORD id = 0;
        GetWindowThreadProcessId(quadrell->window(), &id);
        return id;
    }
};

TEST_F(AccessibilityTest, UserInterfaceLanguageIsTheExpectedOne)
{
    // The Italian run checks the Italian words only if the system really speaks Italian.
    EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_ITALIAN, ExpectItalian)
        << "user interface language " << GetUserDefaultUILanguage();
}

TEST_F(AccessibilityTest, EveryControlSpeaksAtStartAndAfterEachChange)
{
    expectSpeech(L"00000000", L"", L"", "at start");

    EventLog events(processId());
    ASSERT_TRUE(events.hooked());
    HWND box0 = quadrell->control(Name::Check1, 0);
    quadrell->click(box0);
    EXPECT_TRUE(events.waitFor(EVENT_OBJECT_STATECHANGE, box0));
    EXPECT_TRUE(events.waitFor(EVENT_OBJECT_NAMECHANGE, quadrell->control(Name::Label1)));
    EXPECT_TRUE(events.waitFor(EVENT_OBJECT_NAMECHANGE, quadrell->control(Name::Label3)));
    // The byte is heard once, after the box's own "checked".
    ASSERT_TRUE(events.waitFor(EVENT_OBJECT_DESCRIPTIONCHANGE, box0));
    EXPECT_EQ(events.count(EVENT_OBJECT_DESCRIPTIONCHANGE, box0), 1);
    EXPECT_TRUE(events.before(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, box0));
    ASSERT_TRUE(speaks(win32::ControlId(Name::Label3), L"128"));
    expectSpeech(L"10000000", L"128", L"", "after a click on box 0", {Name::Check1, Said().oneTwentyEight});

    quadrell->click(quadrell->control(Name::Text1));  // empties the entry and clears the byte
    events.clear();
    quadrell->type(L"77");
    EXPECT_TRUE(events.waitFor(EVENT_OBJECT_STATECHANGE, quadrell->control(Name::Check1, 7)));
    ASSERT_TRUE(speaks(win32::ControlId(Name::Label3), L"77"));
    expectSpeech(L"01001101", L"77", L"77", "after typing 77", {Name::Text1, Said().seventySeven});

    quadrell->click(quadrell->control(Name::Command1));
    ASSERT_TRUE(speaks(win32::ControlId(Name::Label1), L"00000000"));
    expectSpeech(L"00000000", L"", L"", "after Cancella", {Name::Command1, Said().cleared});
}

// Each outcome is said once, after the whole cascade, by the focused control's description, which
// it keeps until the focus next arrives on it; the boxes say whether they lie in the split.
TEST_F(AccessibilityTest, OutcomesAreHeardOnceThroughTheFocusedControl)
{
    HWND text1 = quadrell->control(Name::Text1), text2 = quadrell->control(Name::Text2),
         cancella = quadrell->control(Name::Command1);
    EventLog events(processId());
    ASSERT_TRUE(events.hooked());
    quadrell->click(text1);  // a click in the entry is an action of its own, with its own outcome
    ASSERT_TRUE(events.waitFor(EVENT_OBJECT_DESCRIPTIONCHANGE, text1));
    EXPECT_EQ(events.count(EVENT_OBJECT_DESCRIPTIONCHANGE, text1), 1);
    events.clear();
    quadrell->type(L"5");  // sets two boxes
    ASSERT_TRUE(events.waitFor(EVENT_OBJECT_DESCRIPTIONCHANGE, text1));
    EXPECT_EQ(events.count(EVENT_OBJECT_DESCRIPTIONCHANGE, text1), 1);
    EXPECT_EQ(ReadWindow(text1).description, Said().five);
    EXPECT_EQ(quadrell->focus(), text1);

    quadrell->click(text2);
    ASSERT_EQ(quadrell->focusWhenItReaches(text2), text2);
    events.clear();
    quadrell->type(L"3");
    ASSERT_TRUE(events.waitFor(EVENT_OBJECT_DESCRIPTIONCHANGE, text2));
    EXPECT_EQ(events.count(EVENT_OBJECT_DESCRIPTIONCHANGE, text2), 1);
    EXPECT_EQ(ReadWindow(text2).description, Said().threeInSplit);
    EXPECT_EQ(ReadWindow(quadrell->control(Name::Check1, 2)).description, Said().bitOfWeight + std::wstring(L"32") + Said().inSplit);
    EXPECT_EQ(ReadWindow(quadrell->control(Name::Check1, 3)).description, Said().bitOfWeight + std::wstring(L"16") + Said().outsideSplit);

    quadrell->click(cancella);
    ASSERT_TRUE(events.waitFor(EVENT_OBJECT_DESCRIPTIONCHANGE, cancella));
    EXPECT_EQ(events.count(EVENT_OBJECT_DESCRIPTIONCHANGE, cancella), 1);
    EXPECT_EQ(ReadWindow(cancella).description, Said().cleared);

    // Once the focus has left, the control says its own description again.
    EXPECT_EQ(ReadWindow(text2).description, L"");
    quadrell->click(text2);
    ASSERT_EQ(quadrell->focusWhenItReaches(text2), text2);
    EXPECT_EQ(ReadWindow(cancella).description, L"");
}

TEST_F(AccessibilityTest, CancellaPressesAsItsDefaultAction)
{
    quadrell->click(quadrell->control(Name::Check1, 3));
    ASSERT_TRUE(speaks(win32::ControlId(Name::Label3), L"16"));
    const auto cancella = ClientObject(quadrell->control(Name::Command1));
    ASSERT_TRUE(cancella);
    EXPECT_EQ(cancella->p->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(speaks(win32::ControlId(Name::Label3), L""));
    EXPECT_EQ(quadrell->boxBits(), L"00000000");
}

TEST_F(AccessibilityTest, WalkFromTheWindowReachesEveryControl)
{
    const auto window = ClientObject(quadrell->window());
    ASSERT_TRUE(window);
    std::set<int> controls;
    for (HWND child = GetWindow(quadrell->window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.insert(GetDlgCtrlID(child));
    ASSERT_EQ(controls.size(), 15u);
    const std::map<int, Speech> expected = Expected(L"00000000", L"", L"");

    // A child is known by the window its object reports, and must say what its control says.
    const auto idOf = [&](IDispatch* child) {
        Com<IAccessible> object;
        HWND hwnd = nullptr;
        if (FAILED(child->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object.p)))
            || FAILED(WindowFromAccessibleObject(object.p, &hwnd)))
            return 0;
        const int id = GetDlgCtrlID(hwnd);
        EXPECT_EQ(Read(object.p), expected.at(id)) << "control " << id << " reached from the window";
        return id;
    };

    LONG count = 0;
    ASSERT_EQ(window->p->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 15);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    ASSERT_TRUE(SUCCEEDED(AccessibleChildren(window->p, 0, count, children.data(), &obtained)));
    std::set<int> listed;
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_DISPATCH && child.pdispVal)
            listed.insert(idOf(child.pdispVal));
        VariantClear(&child);
    }
    EXPECT_EQ(listed, controls) << "through AccessibleChildren";

    std::set<int> navigated;
    VARIANT at;
    VariantInit(&at);
    HRESULT step = window->p->accNavigate(NAVDIR_FIRSTCHILD, Self(), &at);
    while (step == S_OK && at.vt == VT_DISPATCH && navigated.size() < 20) {
        navigated.insert(idOf(at.pdispVal));
        Com<IAccessible> current;
        at.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&current.p));
        VariantClear(&at);
        if (!current.p)
            break;
        step = current->accNavigate(NAVDIR_NEXT, Self(), &at);
    }
    VariantClear(&at);
    EXPECT_EQ(navigated, controls) << "through accNavigate";
}

}  // namespace
}  // namespace quadrell::win32_testing
