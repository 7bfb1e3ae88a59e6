#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/app/filter_catalogue.h"
#include "core/files/document_encoding.h"

namespace quor {

// One filter as the conventional command line names it, with the parameter
// written with it. A parameter left out comes from the settings file; one
// written applies to this step only.
struct FilterStep {
  const FilterEntry* filter = nullptr;
  // --wrap, --drop-runs and --min-length.
  std::optional<std::int32_t> number;
  // --exclude and --replace: the word list's file; --nouns: the separator.
  std::optional<std::string> text;
};

// Where the results go.
enum class Destination {
  kStandardOutput,  // each result in turn, in the order of the files
  kInPlace,         // each result back to its file
  kOutputFile,      // the one result to `output` (never "-")
  kCheck,           // nothing: the names of the files that would change
};

// The conventional command line, parsed.
struct UnixCommandLine {
  std::vector<FilterStep> steps;   // in the order written
  std::vector<std::string> files;  // "-" is standard input; never empty
  Destination destination = Destination::kStandardOutput;
  std::string output;                    // with kOutputFile
  std::optional<CharacterSet> encoding;  // absent: the setting "Zeichensatz"
  unsigned jobs = 0;                     // 0: one per processor
  bool help = false;
  bool version = false;
};

// A command line that could not be parsed: the message for standard error,
// the nearest option included when there is one.
struct UsageError {
  std::string message;
};

struct ParsedUnixCommandLine {
  std::optional<UnixCommandLine> command_line;  // absent on a usage error
  UsageError error;
};

// Whether the compatible command line reads these arguments (without the
// program name): one that holds "-d:" in any case, one none of whose
// arguments starts with '-', and exactly "--help" or "--version".
bool IsCompatibleCommandLine(const std::vector<std::string>& arguments);

// Parses the conventional command line (arguments without the program name).
ParsedUnixCommandLine ParseUnixCommandLine(
    const std::vector<std::string>& arguments);

}  // namespace quor
