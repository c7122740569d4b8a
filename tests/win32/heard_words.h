#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace quadrell::win32_testing {

// What a screen reader hears the program announce, read from outside as one does: each time the
// description of the control with the focus changes, its new description. Events arrive while the
// test waits for the window (RemoteWindow::settle), so each is read before the next keystroke.
class HeardWords {
public:
    explicit HeardWords(HWND window);
    ~HeardWords();
    HeardWords(const HeardWords&) = delete;
    HeardWords& operator=(const HeardWords&) = delete;

    bool hooked() const { return hook_ != nullptr; }
    // The announcements heard since the last call, in order.
    std::vector<std::string> take();

private:
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND control, LONG object, LONG child, DWORD, DWORD);

    static inline HeardWords* current_ = nullptr;
    DWORD thread_ = 0;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<std::string> heard_;
};

}  // namespace quadrell::win32_testing
