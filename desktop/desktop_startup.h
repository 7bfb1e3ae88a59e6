#pragma once

#include "core/app/application.h"

namespace quor {

// The interactive run after the batch start-up: the main window with the
// document, the tray icon and the event loop until the window is closed.
// Uses the running Qt application or makes one from `argc` and `argv`.
// Returns the program's exit code.
int RunDesktop(Application& app, int argc, char** argv);

}  // namespace quor
