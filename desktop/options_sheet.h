#pragma once

#include <functional>

#include "core/app/application.h"

class QWidget;

namespace quor {

// Opens the options sheet over `main_window` without blocking it; a sheet
// already open is raised instead. Boxes change `app.settings` at once, edit
// fields when their page is left or OK is pressed, and Cancel reloads the
// settings file. Once the sheet has closed either way, `after_close` runs
// (the main window brings its buttons and view up to date) and then the
// settings are saved.
void OpenOptions(Application& app, QWidget* main_window,
                 std::function<void()> after_close);

}  // namespace quor
