#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/app/application.h"

namespace quor {

// The raw command line from the program's arguments (without the program
// name): joined by single blanks. An argument "-d:path" (any case) whose path
// does not begin with a double quote is written as -d:"path", because the
// shell has already removed the quotes the user typed.
std::string JoinArguments(std::span<const char* const> arguments);

// JoinArguments over the arguments `main` gets, without the program name. A
// program started without even its own name gets an empty command line.
std::string CommandLineOf(int argc, const char* const* argv);

// Whether `option` occurs anywhere in the command line's options part, in
// any case. A short option is thus also found inside every longer one that
// begins with it; never inside the document path.
bool CommandLineHas(std::string_view command_line, std::string_view option);

// Runs, in the catalogue's fixed order, every filter whose option occurs in
// the command line, each once and each followed by a view refresh. A batch
// run ("-c") never shows its text, so there the refreshes are left out.
void RunCommandLineOptions(Application& app, std::string_view command_line);

// The text printed for --help, naming the folder that holds the settings
// file and the word lists.
std::string UsageText(std::string_view settings_folder);

}  // namespace quor
