// Times programs from process start to their first visible top-level window, alternating them
// run by run so both meet the same machine load, and prints each one's median.
//
//   startup_probe RUNS PROGRAM.exe [PROGRAM.exe ...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include <windows.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && GetParent(window) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from start to a visible window, or a negative number when none appeared.
double TimeOneStart(const std::wstring& program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    Search search{process.dwProcessId, nullptr};
    while (!search.found && Clock::now() - start < std::chrono::seconds(30)) {
        EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (search.found)
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return search.found ? elapsed : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM.exe [PROGRAM.exe ...]\n");
        return 2;
    }
    const int runs = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
    std::vector<std::vector<double>> times(static_cast<std::size_t>(argc - 2));
    for (int run = 0; run < runs; ++run)
        for (int p = 2; p < argc; ++p) {
            const double ms = TimeOneStart(argv[p]);
            if (ms < 0) {
                std::fwprintf(stderr, L"startup_probe: no window from %ls\n", argv[p]);
                return 1;
            }
            times[static_cast<std::size_t>(p - 2)].push_back(ms);
        }
    for (int p = 2; p < argc; ++p)
        std::wprintf(L"%ls: window shown after %.1f ms (median of %d)\n", argv[p], Median(times[static_cast<std::size_t>(p - 2)]), runs);
    return 0;
}
