#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>

#include "core/app/collected_messages.h"
#include "core/app/unix_command_line.h"
#include "core/files/document_encoding.h"
#include "core/files/loaded_file.h"
#include "core/files/program_paths.h"
#include "core/settings/settings.h"

namespace quor {

// What every file of a run shares, read once before the first file and only
// read from then on, so that files may be filtered side by side.
struct RunContext {
  ProgramPaths paths;
  Settings settings;
  CharacterSet character_set = CharacterSet::kAuto;
  // The lists of the settings folder, as the window has them.
  std::optional<std::string> exclude_list;
  std::optional<std::string> replace_list;
  // The lists named by --exclude=FILE and --replace=FILE, by that FILE.
  std::map<std::string, std::optional<std::string>, std::less<>> named_lists;
  // Whether a result is compared with its input (to write back or list only
  // what changed); a run to standard output keeps no copy of the input.
  bool compare_with_input = false;
};

// One input filtered: what to write, in the encoding of the input's file.
struct FilterResult {
  std::string bytes;
  bool changed = false;  // only known with RunContext::compare_with_input
  bool failed = false;   // an error was reported: nothing is to be written
  CollectedMessages messages;
  // The file read, for writing back to it; absent for standard input.
  std::optional<LoadedFile> loaded;
};

// Runs `steps` over the contents `bytes` of a document file: decoded in the
// run's character set, filtered, encoded back.
FilterResult FilterDocument(std::string bytes,
                            std::span<const FilterStep> steps,
                            const RunContext& context);

// Reads the input `name` ("-" for standard input) and runs FilterDocument.
// With `locate`, the file is also found for writing back to it.
FilterResult FilterInput(const std::string& name,
                         std::span<const FilterStep> steps,
                         const RunContext& context, bool locate);

}  // namespace quor
