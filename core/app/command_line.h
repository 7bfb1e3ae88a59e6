#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/app/application.h"

namespace quor {

// The compatible command line as the shell split it into arguments.
struct CommandLine {
  // The argument that names the document (see PathFromArgument): the first
  // one that begins with "-d:" in any case, or else all arguments joined by
  // single blanks, which are then nothing but a path.
  std::string document;
  // Every other argument, joined by single blanks: the only place options
  // are looked for. Empty without a "-d:" argument.
  std::string options;
};

// The command line that `arguments` (without the program name) make.
CommandLine SplitArguments(std::span<const char* const> arguments);

// SplitArguments over the arguments `main` gets, without the program name. A
// program started without even its own name gets an empty command line.
CommandLine CommandLineOf(int argc, const char* const* argv);

// Whether `option` occurs anywhere in the command line's options, in any
// case. A short option is thus also found inside every longer one that
// begins with it; never inside the document path.
bool CommandLineHas(const CommandLine& command_line, std::string_view option);

// Runs, in the catalogue's fixed order, every filter whose option occurs in
// the command line, each once and each followed by a view refresh. A batch
// run ("-c") never shows its text, so there the refreshes are left out.
void RunCommandLineOptions(Application& app, const CommandLine& command_line);

// The text printed for --help, naming the folder that holds the settings
// file and the word lists.
std::string UsageText(std::string_view settings_folder);

}  // namespace quor
