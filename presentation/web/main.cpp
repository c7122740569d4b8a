// The page's program: builds the window in the page's form, makes the program behind it, and
// gives the page's listeners (dom_events.js) the three ways to report what the user did.
#include <memory>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "program.h"
#include "web_window.h"

namespace {

using emscripten::val;

// The page holds one window for as long as it is open.
quadrell::WebWindow* TheWindow = nullptr;

void UserClicks(int place)
{
    TheWindow->userClicks(static_cast<std::size_t>(place));
}

void UserEdits(int place, const std::string& text)
{
    TheWindow->userEdits(static_cast<std::size_t>(place), text);
}

void DesktopSchemeChanged()
{
    TheWindow->desktopSchemeChanged();
}

}  // namespace

EMSCRIPTEN_BINDINGS(quadrell_page)
{
    emscripten::function("userClicks", &UserClicks);
    emscripten::function("userEdits", &UserEdits);
    emscripten::function("desktopSchemeChanged", &DesktopSchemeChanged);
}

int main()
{
    val document = val::global("document");
    static quadrell::WebWindow window(document.call<val>("getElementById", val("Form1")),
                                      document.call<val>("getElementById", val("announcements")));
    static quadrell::Program program(window);
    TheWindow = &window;
    // The first control in the focus order has it, as in the desktop windows.
    document.call<val>("getElementById", val("Check1_0")).call<void>("focus");
    document["documentElement"]["dataset"].set("ready", true);
    return 0;
}
