// The page's program: builds the window in the page's form, makes the program behind it, and
// gives the page's listeners (dom_events.js) the ways to report what the user did.
#include <string>

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "dom.h"
#include "program.h"
#include "web_window.h"

namespace {

// The page holds one window, and the program behind it, for as long as it is open.
quadrell::WebWindow* TheWindow = nullptr;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void quadrell_user_clicks(int place)
{
    if (TheWindow && place >= 0)
        TheWindow->userClicks(static_cast<std::size_t>(place));
}

EMSCRIPTEN_KEEPALIVE void quadrell_user_edits(int place, const char* text)
{
    if (TheWindow && place >= 0)
        TheWindow->userEdits(static_cast<std::size_t>(place), text);
}

EMSCRIPTEN_KEEPALIVE void quadrell_desktop_scheme_changed()
{
    if (TheWindow)
        TheWindow->desktopSchemeChanged();
}

}  // extern "C"

int main()
{
    using namespace quadrell;
    static WebWindow window(web::ElementById("Form1"), web::ElementById("announcements"));
    static Program program(window);
    window.whenNumberFormatRead([] { program.numberFormatChanged(); });
    TheWindow = &window;
    window.show();
    // Which version runs: an installed page updates itself, and says so here.
    web::SetDataset(web::RootElement(), "version", QUADRELL_VERSION);
    // The program has started: what the browser tests and the start-up measurement wait for.
    web::SetDataset(web::RootElement(), "ready", "true");
    // Once the first frame is drawn, the number format the page opened without.
    emscripten_request_animation_frame(
        [](double, void*) {
            emscripten_set_timeout([](void*) { TheWindow->readNumberFormat(); }, 0, nullptr);
            return EM_FALSE;
        },
        nullptr);
    return 0;
}
