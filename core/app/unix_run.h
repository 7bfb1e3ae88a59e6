#pragma once

#include <cstdio>

#include "core/app/unix_command_line.h"
#include "core/files/program_paths.h"

namespace quor {

// How the run of the conventional command line names standard input in its
// messages.
inline constexpr std::string_view kStandardInputName = "(Standardeingabe)";

// Runs the parsed conventional command line: the settings and word lists
// read once, then every file filtered on its own and its result delivered,
// in the order of the files, with its messages on `errors` as
// "quorfilter: FILE: <caption> <text>". Returns the exit status: 0 when every
// file went through, 1 when one failed or --check found a file to change.
int RunUnixCommandLine(const UnixCommandLine& command_line,
                       const ProgramPaths& paths, std::FILE* output,
                       std::FILE* errors);

}  // namespace quor
