#pragma once

#include "core/app/application.h"
#include "core/app/command_line.h"

namespace quor {

// Everything before the first window: the settings, the two word lists, the
// document named on the command line and the command-line filters.
void StartUp(Application& app, const CommandLine& command_line);

// Whether the command line asks to write the document back and end ("-c",
// found in any case anywhere among the options, so also inside "-COPY").
bool IsBatchRun(const CommandLine& command_line);

// The end of a batch run: writes the document back to the file it was loaded
// from, unless that changed since. Nothing is written without a loaded file,
// nor after an error was reported, as a filter that failed may have left the
// text half done.
void EndBatchRun(Application& app, bool error_reported);

}  // namespace quor
