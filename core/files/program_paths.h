#pragma once

#include <string>

namespace quor {

// Where the program keeps its files: the settings file carries the program's
// name, the two word lists sit beside it under fixed names.
struct ProgramPaths {
  std::string settings_file;
  std::string exclude_list;
  std::string replace_list;
};

// The paths that belong to the program file at `program_file`: its own name
// with the extension ".INI" (replacing any extension it has), and
// "FILTER.TXT" and "REPLACE.TXT" in its folder.
ProgramPaths ProgramPathsFor(const std::string& program_file);

// The full path of the running program, or `fallback` when the system does not
// tell.
std::string RunningProgramFile(const std::string& fallback);

}  // namespace quor
