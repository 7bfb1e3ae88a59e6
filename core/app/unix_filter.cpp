#include "core/app/unix_filter.h"

#include <new>
#include <stdexcept>

#include "core/app/application.h"
#include "core/app/byte_map_fold.h"
#include "core/app/document_file.h"
#include "core/files/whole_file.h"

namespace quor {
namespace {

// The list a step of "Exclude-Datei" or "Replace-Datei" uses: the one it
// names, else the settings folder's.
const std::optional<std::string>& ListOf(
    const FilterStep& step, const std::optional<std::string>& from_settings,
    const RunContext& context) {
  if (!step.text) return from_settings;
  return context.named_lists.find(*step.text)->second;
}

// The settings and lists a step runs with: the settings file's, and the
// parameter written with this step. A parameter is not carried over to a
// later step of the same filter.
void PrepareStep(Application& app, const FilterStep& step,
                 const RunContext& context) {
  app.settings = context.settings;
  const std::string_view option = step.filter->option;
  if (step.number) {
    if (option == "-F5") app.settings.wrap_width = *step.number;
    if (option == "-F212") app.settings.same_chars_length = *step.number;
    if (option == "-F213") app.settings.min_word_length = *step.number;
  }
  if (option == "-F214" && step.text) app.settings.separator = *step.text;
  if (option == "-F104") {
    app.exclude_list = ListOf(step, context.exclude_list, context);
  }
  if (option == "-F105") {
    app.replace_list = ListOf(step, context.replace_list, context);
  }
}

// Runs the steps in their order. Consecutive byte maps are composed into one
// map and done in one pass; the result is the same.
void RunSteps(Application& app, std::span<const FilterStep> steps,
              const RunContext& context) {
  ByteMapFold fold;
  for (const FilterStep& step : steps) {
    if (fold.Take(*step.filter, app.document)) continue;
    fold.Apply(app.document);
    PrepareStep(app, step, context);
    step.filter->run(app);
  }
  fold.Apply(app.document);
}

// FilterDocument up to the result's bytes; may run out of memory.
void Filter(std::string& bytes, std::span<const FilterStep> steps,
            const RunContext& context, FilterResult& result) {
  std::optional<std::string> input;
  if (context.compare_with_input) input = bytes;
  const DecodedDocument decoded = DecodeDocument(bytes, context.character_set);
  if (!ReportDecoding(decoded.status, result.messages)) return;
  if (decoded.status == DecodeStatus::kOutsideCp1252) {
    result.messages.Show(kTextOutsideCp1252, kCaptionNote);
  }
  Application app(context.paths, result.messages);
  app.document.text = std::move(bytes);
  app.document.encoding = decoded.encoding;
  RunSteps(app, steps, context);
  if (result.messages.ErrorReported()) return;
  result.bytes =
      app.document.encoding == TextEncoding::kCp1252
          ? std::move(*app.document.text)
          : EncodeDocument(*app.document.text, app.document.encoding);
  result.changed = input && *input != result.bytes;
}

}  // namespace

FilterResult FilterDocument(std::string bytes,
                            std::span<const FilterStep> steps,
                            const RunContext& context) {
  FilterResult result;
  ReportingLackOfMemory(result.messages,
                        [&] { Filter(bytes, steps, context, result); });
  result.failed = result.messages.ErrorReported();
  if (result.failed) result.bytes.clear();
  return result;
}

FilterResult FilterInput(const std::string& name,
                         std::span<const FilterStep> steps,
                         const RunContext& context, bool locate) {
  const ZeroBytes zero_bytes = context.character_set == CharacterSet::kAuto
                                   ? ZeroBytes::kRefusedUnlessUtf16
                                   : ZeroBytes::kRefused;
  std::string bytes;
  FileStamp stamp;
  const ReadStatus read = name == "-"
                              ? ReadStandardInput(bytes, zero_bytes)
                              : ReadWholeFile(name, bytes, zero_bytes, &stamp);
  std::optional<LoadedFile> loaded;
  CollectedMessages messages;
  if (ReportRead(read, messages) && locate && name != "-") {
    ReportingLackOfMemory(messages,
                          [&] { loaded = LocateLoadedFile(name, stamp); });
  }
  if (messages.ErrorReported()) {
    FilterResult failed;
    failed.messages = std::move(messages);
    failed.failed = true;
    return failed;
  }
  FilterResult result = FilterDocument(std::move(bytes), steps, context);
  result.loaded = std::move(loaded);
  return result;
}

}  // namespace quor
