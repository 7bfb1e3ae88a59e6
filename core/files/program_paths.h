#pragma once

#include <string>
#include <string_view>

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

// The folder for the program's files when its own folder cannot take them:
// "$XDG_CONFIG_HOME/quorfilter" when that names an absolute path, else
// "$HOME/.config/quorfilter"; empty when neither is known. Either argument
// may be nullptr.
std::string UserConfigFolder(const char* xdg_config_home, const char* home);

// `paths` with the same file names in `folder`.
ProgramPaths MovedTo(const ProgramPaths& paths, const std::string& folder);

// The paths the program at `program_file` uses: those beside it, unless its
// folder is not writable and holds no settings file (an installed copy);
// then the same names in the user's configuration folder. A program that
// does not know its file (empty) uses that folder too, or no files at all.
ProgramPaths RunningProgramPaths(const std::string& program_file);

// Makes the folder of the settings file when it is missing, as the user's
// configuration folder is before the settings are first written. A folder
// that cannot be made lets the write that follows fail.
void MakeSettingsFolder(const ProgramPaths& paths);

// The folder that holds the settings file of `paths`; empty without one.
std::string SettingsFolder(const ProgramPaths& paths);

// The running program's file, with symbolic links resolved: what `exe_link`
// (/proc/self/exe) names; where that cannot be read (no /proc), `argv0` when
// it holds a slash (from the current folder), else the first executable file
// of that name in the folders of `search_path` (PATH; nullptr when unset),
// as the program was found when it was started. Empty when none of these
// finds it, never a guess in the current folder.
std::string FindProgramFile(const char* exe_link, std::string_view argv0,
                            const char* search_path);

// FindProgramFile for the running program, started as `argv0`.
std::string RunningProgramFile(std::string_view argv0);

}  // namespace quor
