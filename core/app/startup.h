#pragma once

#include <string_view>

#include "core/app/application.h"

namespace quor {

// Everything before the first window: the settings, the two word lists, the
// document named on the command line and the command-line filters.
void StartUp(Application& app, std::string_view command_line);

// Whether the command line asks to write the document back and end ("-c",
// found in any case anywhere, so also inside "-COPY" or a path).
bool IsBatchRun(std::string_view command_line);

// The end of a batch run: writes the document back to the file it was loaded
// from, unless that changed since. Without a loaded file nothing is written.
void EndBatchRun(Application& app);

}  // namespace quor
