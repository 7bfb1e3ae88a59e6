#pragma once

#include <functional>
#include <string_view>

#include "core/app/application.h"

namespace quor {

inline constexpr std::string_view kSaveChangesQuestion =
    "Änderungen speichern?";

// Before the document goes (closing, ending, loading another): when it
// holds changes not in its file, asks "Änderungen speichern?" under the
// window's title. Yes runs `save`, No lets the document go, Cancel keeps
// it. Returns whether the document may go: without changes, after No, or
// when `save` saved it.
bool SettleUnsavedChanges(Application& app, const std::function<bool()>& save);

}  // namespace quor
