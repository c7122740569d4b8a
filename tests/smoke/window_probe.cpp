// Starts a windowed program on the X display, waits for its window to be mapped, asks it to close
// the way a window manager's close command does (WM_DELETE_WINDOW), and reports how long the
// window took to appear, the process's peak resident memory and its exit status.
//
//   window_probe [--runs N] [--title TEXT] -- PROGRAM [ARGS...]
//   window_probe --wait-for TITLE [--seconds N]
//
// With --runs, prints the median of each figure over N runs. Exits non-zero when a window never
// appears, has another title, or the program does not end with status 0 after the close.
//
// With --wait-for it starts nothing: it waits up to N seconds (30 unless told) for a window titled
// exactly TITLE to be shown on the display, one another program opens, and prints its window id
// in decimal, as xdotool and import take it. Exits 1, with a one-line message, when none is shown
// in time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Patience = std::chrono::seconds(30);

struct RunResult {
    double mappedMs = 0;
    long peakRssKb = 0;
    int exitStatus = -1;
    std::string title;
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::string TextProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
    std::string text;
    if (reply)
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return text;
}

std::string WindowTitle(xcb_connection_t* connection, xcb_window_t window)
{
    return TextProperty(connection, window, XCB_ATOM_WM_NAME);
}

void SendClose(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// Waits for a top-level window of any client to be mapped; nothing else maps during a probe.
std::optional<xcb_window_t> WaitForMappedWindow(xcb_connection_t* connection, pid_t child)
{
    const auto deadline = Clock::now() + Patience;
    pollfd watch{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (mapped)
                return window;
        }
        if (waitpid(child, nullptr, WNOHANG) == child)
            return std::nullopt;  // ended before showing a window
        poll(&watch, 1, 50);
    }
    return std::nullopt;
}

std::optional<RunResult> RunOnce(xcb_connection_t* connection, char** command)
{
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        std::perror("window_probe: cannot start the program");
        _exit(127);
    }
    const std::optional<xcb_window_t> window = WaitForMappedWindow(connection, child);
    if (!window) {
        std::fprintf(stderr, "window_probe: no window was mapped\n");
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return std::nullopt;
    }
    RunResult result;
    result.mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    result.title = WindowTitle(connection, *window);
    SendClose(connection, *window);

    int status = 0;
    rusage usage{};
    alarm(static_cast<unsigned>(Patience.count()));  // a program that ignores the close is killed
    wait4(child, &status, 0, &usage);
    alarm(0);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakRssKb = usage.ru_maxrss;
    return result;
}

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Whether a window is mapped and so are all its ancestors: shown, as far as X goes.
bool Viewable(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

// The first shown window under `parent`, at any depth, whose title, in UTF-8 (_NET_WM_NAME) or in
// the older WM_NAME, is `title`. A window manager's frame holds the titled window inside it.
std::optional<xcb_window_t> FindShownWindow(xcb_connection_t* connection, xcb_window_t parent,
                                            const std::string& title, xcb_atom_t utf8Name)
{
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr);
    if (!tree)
        return std::nullopt;  // gone while we looked
    const xcb_window_t* children = xcb_query_tree_children(tree);
    std::optional<xcb_window_t> found;
    for (int k = 0; k < xcb_query_tree_children_length(tree) && !found; ++k) {
        if (!Viewable(connection, children[k]))
            continue;
        if (TextProperty(connection, children[k], utf8Name) == title || WindowTitle(connection, children[k]) == title)
            found = children[k];
        else
            found = FindShownWindow(connection, children[k], title, utf8Name);
    }
    std::free(tree);
    return found;
}

// Looks again every 50 ms: a title may be set after the window is mapped, which no map event tells.
int WaitForTitle(const std::string& title, int seconds)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "window_probe: cannot reach the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t utf8Name = Atom(connection, "_NET_WM_NAME");
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    std::optional<xcb_window_t> window;
    while (!(window = FindShownWindow(connection, root, title, utf8Name)) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    xcb_disconnect(connection);
    if (!window) {
        std::fprintf(stderr, "window_probe: no window titled '%s' was shown within %d s\n", title.c_str(), seconds);
        return 1;
    }
    std::printf("%u\n", static_cast<unsigned>(*window));
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: window_probe [--runs N] [--title TEXT] -- PROGRAM [ARGS...]\n"
                         "       window_probe --wait-for TITLE [--seconds N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--wait-for") == 0) {
        if (argc == 3)
            return WaitForTitle(argv[2], static_cast<int>(Patience.count()));
        if (argc == 5 && std::strcmp(argv[3], "--seconds") == 0)
            return WaitForTitle(argv[2], std::max(1, std::atoi(argv[4])));
        return Usage();
    }
    int runs = 1;
    std::optional<std::string> expectedTitle;
    int at = 1;
    for (; at < argc && std::strcmp(argv[at], "--") != 0; ++at) {
        if (std::strcmp(argv[at], "--runs") == 0 && at + 1 < argc)
            runs = std::max(1, std::atoi(argv[++at]));
        else if (std::strcmp(argv[at], "--title") == 0 && at + 1 < argc)
            expectedTitle = argv[++at];
        else
            return Usage();
    }
    if (at + 1 >= argc)
        return Usage();
    signal(SIGALRM, [](int) {});  // interrupts wait4 only; the child is killed below

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "window_probe: cannot reach the display\n");
        return 1;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<double> mapped;
    std::vector<long> rss;
    for (int run = 0; run < runs; ++run) {
        const std::optional<RunResult> result = RunOnce(connection, argv + at + 1);
        if (!result)
            return 1;
        if (expectedTitle && result->title != *expectedTitle) {
            std::fprintf(stderr, "window_probe: window title is '%s'\n", result->title.c_str());
            return 1;
        }
        if (result->exitStatus != 0) {
            std::fprintf(stderr, "window_probe: program ended with status %d after the close\n", result->exitStatus);
            return 1;
        }
        mapped.push_back(result->mappedMs);
        rss.push_back(result->peakRssKb);
    }
    std::printf("runs=%d mapped_ms_median=%.1f peak_rss_kb_median=%ld title='%s'\n", runs, Median(mapped),
                Median(rss), expectedTitle.value_or("").c_str());
    xcb_disconnect(connection);
    return 0;
}
