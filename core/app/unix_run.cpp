#include "core/app/unix_run.h"

#include <algorithm>

#include "core/app/console_messages.h"
#include "core/app/document_file.h"
#include "core/app/unix_filter.h"
#include "core/files/file_save.h"
#include "core/files/word_lists.h"

namespace quor {
namespace {

// Writes `messages` as the messages of the file `name`.
void Emit(std::FILE* errors, std::string_view name,
          const CollectedMessages& messages) {
  for (const CollectedMessage& message : messages.shown()) {
    std::fprintf(errors, "quorfilter: %.*s: %s %s\n",
                 static_cast<int>(name.size()), name.data(),
                 message.caption.c_str(), message.text.c_str());
  }
  std::fflush(errors);
}

// Whether a step runs the filter of `option` with the list of the settings
// folder.
bool UsesSettingsList(std::span<const FilterStep> steps,
                      std::string_view option) {
  return std::any_of(steps.begin(), steps.end(), [option](const auto& step) {
    return step.filter->option == option && !step.text;
  });
}

// Reads the lists that --exclude=FILE and --replace=FILE name. A list that
// cannot be read fails the run before any file is touched.
bool ReadNamedLists(std::span<const FilterStep> steps, RunContext& context,
                    std::FILE* errors) {
  bool all_read = true;
  for (const FilterStep& step : steps) {
    const std::string_view option = step.filter->option;
    if (!step.text || (option != "-F104" && option != "-F105") ||
        context.named_lists.contains(*step.text)) {
      continue;
    }
    CollectedMessages messages;
    std::int32_t enabled = 1;
    auto list =
        LoadWordList(*step.text, context.character_set, enabled, messages);
    // A list holding a zero byte was reported as a warning and changes
    // nothing, as in the window; any other list that is not there fails.
    if (!list && messages.shown().empty()) {
      messages.Show(kCannotOpenFile, kCaptionError);
      all_read = false;
    }
    Emit(errors, *step.text, messages);
    context.named_lists.emplace(*step.text, std::move(list));
  }
  return all_read;
}

// The settings and word lists, read once; absent when that failed.
std::optional<RunContext> ReadContext(const UnixCommandLine& command_line,
                                      const ProgramPaths& paths,
                                      std::FILE* errors) {
  RunContext context;
  context.paths = paths;
  ConsoleMessages messages(errors);
  LoadSettings(paths.settings_file, context.settings, messages);
  context.character_set = command_line.encoding.value_or(
      ParseCharacterSet(context.settings.character_set));
  if (UsesSettingsList(command_line.steps, "-F104")) {
    context.exclude_list =
        LoadWordList(paths.exclude_list, context.character_set,
                     context.settings.exclude, messages);
  }
  if (UsesSettingsList(command_line.steps, "-F105")) {
    context.replace_list =
        LoadWordList(paths.replace_list, context.character_set,
                     context.settings.replace, messages);
  }
  context.compare_with_input =
      command_line.destination == Destination::kInPlace ||
      command_line.destination == Destination::kCheck;
  const bool lists_read = ReadNamedLists(command_line.steps, context, errors);
  if (messages.ErrorReported() || !lists_read) return std::nullopt;
  return context;
}

// Writes a changed result back over the file it was read from.
void WriteBack(FilterResult& result) {
  if (!result.changed) return;
  const SaveStatus status = result.loaded
                                ? SaveFile(*result.loaded, result.bytes, true)
                                : SaveStatus::kChanged;
  if (status == SaveStatus::kChanged) {
    result.messages.Show(kFileChanged, kCaptionError);
  } else if (status == SaveStatus::kFailed) {
    result.messages.Show(kCannotCreateFile, kCaptionError);
  }
}

// Writes the result to the file that --output names.
void WriteOutput(const std::string& path, const FilterResult& result,
                 CollectedMessages& messages) {
  std::optional<LoadedFile> file;
  ReportingLackOfMemory(messages, [&] { file = LocateFileToWrite(path); });
  if (!file || SaveFile(*file, result.bytes, false) != SaveStatus::kSaved) {
    messages.Show(kCannotCreateFile, kCaptionError);
  }
}

// Hands the result of the input `name` to where the command line sends it
// and reports its messages. Returns whether the input went through.
bool Deliver(const UnixCommandLine& command_line, const std::string& name,
             FilterResult& result, std::FILE* output, std::FILE* errors) {
  CollectedMessages output_messages;
  if (!result.failed) {
    switch (command_line.destination) {
      case Destination::kStandardOutput:
        std::fwrite(result.bytes.data(), 1, result.bytes.size(), output);
        break;
      case Destination::kCheck:
        if (result.changed) std::fprintf(output, "%s\n", name.c_str());
        break;
      case Destination::kInPlace:
        WriteBack(result);
        break;
      case Destination::kOutputFile:
        WriteOutput(command_line.output, result, output_messages);
        break;
    }
  }
  Emit(errors, name == "-" ? kStandardInputName : name, result.messages);
  Emit(errors, command_line.output, output_messages);
  return !result.messages.ErrorReported() && !output_messages.ErrorReported();
}

}  // namespace

int RunUnixCommandLine(const UnixCommandLine& command_line,
                       const ProgramPaths& paths, std::FILE* output,
                       std::FILE* errors) {
  const std::optional<RunContext> context =
      ReadContext(command_line, paths, errors);
  if (!context) return 1;
  const bool locate = command_line.destination == Destination::kInPlace;
  bool all_through = true;
  bool any_changed = false;
  for (const std::string& name : command_line.files) {
    FilterResult result =
        FilterInput(name, command_line.steps, *context, locate);
    all_through =
        Deliver(command_line, name, result, output, errors) && all_through;
    any_changed = any_changed || result.changed;
  }
  const bool check_failed =
      command_line.destination == Destination::kCheck && any_changed;
  return all_through && !check_failed ? 0 : 1;
}

}  // namespace quor
