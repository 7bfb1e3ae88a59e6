#include "core/app/unix_run.h"

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

#include "core/app/console_messages.h"
#include "core/app/document_file.h"
#include "core/app/file_messages.h"
#include "core/app/in_place_writer.h"
#include "core/app/ordered_runner.h"
#include "core/app/progress_line.h"
#include "core/app/streamed_filter.h"
#include "core/app/unix_filter.h"
#include "core/files/file_save.h"
#include "core/files/save_batch.h"
#include "core/files/word_lists.h"

namespace quor {
namespace {

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
                    std::FILE* errors, ProgressLine& progress) {
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
    EmitFileMessages(errors, progress, *step.text, messages);
    context.named_lists.emplace(*step.text, std::move(list));
  }
  return all_read;
}

// The settings and word lists, read once; absent when that failed.
std::optional<RunContext> ReadContext(const UnixCommandLine& command_line,
                                      const ProgramPaths& paths,
                                      std::FILE* errors,
                                      ProgressLine& progress) {
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
  const bool lists_read =
      ReadNamedLists(command_line.steps, context, errors, progress);
  if (messages.ErrorReported() || !lists_read) return std::nullopt;
  return context;
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

// Hands the result of the input `name` to standard output, the check list
// or the --output file and reports its messages. Returns whether the input
// went through.
bool Deliver(const UnixCommandLine& command_line, const std::string& name,
             FilterResult& result, std::FILE* output, std::FILE* errors,
             ProgressLine& progress) {
  CollectedMessages output_messages;
  if (!result.failed) {
    switch (command_line.destination) {
      case Destination::kStandardOutput:
        std::fwrite(result.bytes.data(), 1, result.bytes.size(), output);
        break;
      case Destination::kCheck:
        if (result.changed) std::fprintf(output, "%s\n", name.c_str());
        break;
      case Destination::kOutputFile:
        WriteOutput(command_line.output, result, output_messages);
        break;
      case Destination::kInPlace:
        break;
    }
  }
  EmitFileMessages(errors, progress, name == "-" ? kStandardInputName : name,
                   result.messages);
  EmitFileMessages(errors, progress, command_line.output, output_messages);
  return !result.messages.ErrorReported() && !output_messages.ErrorReported();
}

// Runs each input through `plan` onto standard output as it is read.
// Returns whether every input went through.
bool StreamAll(const UnixCommandLine& command_line, const StreamPlan& plan,
               const RunContext& context, std::span<const std::uint64_t> sizes,
               std::FILE* output, std::FILE* errors, ProgressLine& progress) {
  const std::vector<std::string>& files = command_line.files;
  bool all_through = true;
  std::uint64_t bytes_done = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const CollectedMessages messages = StreamInput(
        files[i], plan, command_line.steps, context, output,
        [&](std::uint64_t read) { progress.Update(i, bytes_done + read); });
    EmitFileMessages(errors, progress,
                     files[i] == "-" ? kStandardInputName : files[i], messages);
    all_through = !messages.ErrorReported() && all_through;
    bytes_done += sizes[i];
    progress.Update(i + 1, bytes_done);
  }
  return all_through;
}

// The size of each input file, standard input's where it is a file; 0 for
// what is no file.
std::vector<std::uint64_t> InputSizes(const std::vector<std::string>& files) {
  std::vector<std::uint64_t> sizes;
  sizes.reserve(files.size());
  for (const std::string& name : files) {
    struct stat info;
    const int status = name == "-" ? ::fstat(STDIN_FILENO, &info)
                                   : ::stat(name.c_str(), &info);
    const bool file = status == 0 && S_ISREG(info.st_mode);
    sizes.push_back(file ? static_cast<std::uint64_t>(info.st_size) : 0);
  }
  return sizes;
}

// Many files, or a document of 100 MB or more, show how far the run is.
ProgressLine ProgressOf(std::span<const std::uint64_t> sizes) {
  constexpr std::uint64_t kLargeDocument = std::uint64_t{100} << 20;
  const std::uint64_t total =
      std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
  const bool long_run = sizes.size() > 1 || total >= kLargeDocument;
  if (long_run) return ProgressLine::OnStandardError(sizes.size(), total);
  return ProgressLine(
      0, 0, false, [](std::string_view) {}, std::chrono::steady_clock::now);
}

// The threads that go through the files: one where their results are written
// out one after the other; otherwise as asked, by default one per processor
// where the files are large enough (64 KB on average) that filtering them
// costs more than handing them from thread to thread.
unsigned JobsFor(const UnixCommandLine& command_line,
                 std::span<const std::uint64_t> sizes) {
  constexpr std::uint64_t kWorthAThread = std::uint64_t{64} << 10;
  const Destination destination = command_line.destination;
  if (destination != Destination::kInPlace &&
      destination != Destination::kCheck) {
    return 1;
  }
  if (command_line.jobs != 0) return command_line.jobs;
  const std::uint64_t total =
      std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
  return total >= kWorthAThread * sizes.size() ? 0 : 1;
}

}  // namespace

int RunUnixCommandLine(const UnixCommandLine& command_line,
                       const ProgramPaths& paths, std::FILE* output,
                       std::FILE* errors) {
  const std::vector<std::string>& files = command_line.files;
  const std::vector<std::uint64_t> sizes = InputSizes(files);
  ProgressLine progress = ProgressOf(sizes);
  const std::optional<RunContext> context =
      ReadContext(command_line, paths, errors, progress);
  if (!context) return 1;
  const Destination destination = command_line.destination;
  const std::optional<StreamPlan> plan =
      StreamPlanOf(command_line.steps, context->character_set);
  if (destination == Destination::kStandardOutput && plan) {
    const bool all_through = StreamAll(command_line, *plan, *context, sizes,
                                       output, errors, progress);
    progress.Finish();
    return all_through ? 0 : 1;
  }
  const unsigned jobs = JobsFor(command_line, sizes);
  std::optional<InPlaceWriter> writer;
  if (destination == Destination::kInPlace) {
    SaveBatch::RaiseOpenFileLimit();
    writer.emplace(errors, progress);
  }
  std::vector<FilterResult> results(files.size());
  bool all_through = true;
  bool any_changed = false;
  std::uint64_t bytes_done = 0;
  RunOrdered(
      files.size(), jobs,
      [&](std::size_t i) {
        results[i] = FilterInput(files[i], command_line.steps, *context,
                                 writer.has_value());
      },
      [&](std::size_t i) {
        FilterResult result = std::move(results[i]);
        any_changed = any_changed || result.changed;
        bytes_done += sizes[i];
        if (writer) {
          writer->Take(files[i], result);
        } else {
          all_through = Deliver(command_line, files[i], result, output, errors,
                                progress) &&
                        all_through;
        }
        progress.Update(i + 1, bytes_done);
      });
  if (writer) all_through = writer->Finish() && all_through;
  progress.Finish();
  const bool check_failed = destination == Destination::kCheck && any_changed;
  return all_through && !check_failed ? 0 : 1;
}

}  // namespace quor
