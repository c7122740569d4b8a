#include "heard_words.h"

#include <oleacc.h>

#include "remote_window.h"

namespace quadrell::win32_testing {

namespace {

// The control that has the keyboard focus in the program's user-interface thread.
HWND FocusOf(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

std::string DescriptionOf(HWND control, LONG object, LONG child)
{
    IAccessible* accessible = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (FAILED(AccessibleObjectFromEvent(control, static_cast<DWORD>(object), static_cast<DWORD>(child), &accessible,
                                         &which)))
        return {};
    BSTR description = nullptr;
    std::string words;
    if (accessible->get_accDescription(which, &description) == S_OK && description) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, description, -1, nullptr, 0, nullptr, nullptr);
        words.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
        WideCharToMultiByte(CP_UTF8, 0, description, -1, words.data(), size, nullptr, nullptr);
        SysFreeString(description);
    }
    accessible->Release();
    return words;
}

}  // namespace

HeardWords::HeardWords(HWND window)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DWORD process = 0;
    thread_ = GetWindowThreadProcessId(window, &process);
    current_ = this;
    hook_ = SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, Record, process,
                            0, WINEVENT_OUTOFCONTEXT);
}

HeardWords::~HeardWords()
{
    if (hook_)
        UnhookWinEvent(hook_);
    current_ = nullptr;
    CoUninitialize();
}

std::vector<std::string> HeardWords::take()
{
    RemoteWindow::settle();
    std::vector<std::string> heard;
    heard.swap(heard_);
    return heard;
}

void CALLBACK HeardWords::Record(HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG child, DWORD, DWORD)
{
    // A screen reader speaks a new description of the focused control only: the boxes that a new
    // split describes anew are read when the user reaches them.
    if (current_ && object == OBJID_CLIENT && child == CHILDID_SELF && control == FocusOf(current_->thread_))
        current_->heard_.push_back(DescriptionOf(control, object, child));
}

}  // namespace quadrell::win32_testing
