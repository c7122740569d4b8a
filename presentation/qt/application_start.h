#pragma once

#include <memory>

#include <QApplication>

namespace quadrell {

// Constructs the application, which connects to the window system. A display can pass
// MissingDisplayReason and still refuse the toolkit's own connection a moment later (a busy X
// server refuses clients beyond its limit); Qt then ends the process with a page of diagnostics
// and an abort. Here that becomes one line, "quadrell: cannot open the window: ...", and exit
// status 1. Whatever the toolkit says later is prefixed with "quadrell: " too.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace quadrell
