// Every filter of the catalogue, run as the commands run it, on a random
// document with random settings and word lists; where a plain transcription
// of a filter exists, the result must equal it byte for byte.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/app/application.h"
#include "core/app/filter_catalogue.h"
#include "fuzz/fuzz_support.h"
#include "reference/blanks_duplicates_reference.h"
#include "reference/case_reference.h"
#include "reference/html_reference.h"
#include "reference/nouns_wrap_reference.h"
#include "reference/rtf_reference.h"
#include "reference/word_deletion_reference.h"
#include "reference/word_list_reference.h"

namespace quor::fuzz {
namespace {

// Mostly the small values users set, now and then any value at all.
std::int32_t Parameter(FuzzedDataProvider& input) {
  return input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 90)
                             : input.ConsumeIntegral<std::int32_t>();
}

std::optional<std::string> WordList(FuzzedDataProvider& input) {
  if (!input.ConsumeBool()) return std::nullopt;
  return UpToZero(input.ConsumeRandomLengthString(300));
}

std::string ReplaceEvery(const std::string& text, std::string_view search,
                         std::string_view replacement) {
  std::string out;
  std::size_t from = 0;
  for (std::size_t hit; (hit = text.find(search, from)) != std::string::npos;
       from = hit + search.size()) {
    out.append(text, from, hit - from);
    out += replacement;
  }
  out.append(text, from);
  return out;
}

// What the rules give for the filter behind `option`, when there is a plain
// version of it to compare with.
std::optional<std::string> Expected(std::string_view option,
                                    const std::string& text,
                                    const Application& app, int rtf_charset) {
  const Settings& s = app.settings;
  if (option == "-F3") return reference::HtmlToText(text);
  if (option == "-F4") return reference::ConvertRtf(text, rtf_charset).text;
  if (option == "-F5") return reference::WrapWords(text, s.wrap_width);
  if (option == "-F101") return reference::RemoveWordsWithDigits(text);
  if (option == "-F104" && app.exclude_list) {
    return reference::ApplyExcludeList(text, *app.exclude_list);
  }
  if (option == "-F105" && app.replace_list) {
    return reference::ApplyReplaceList(text, *app.replace_list);
  }
  if (option == "-F201") return reference::ToLowerCase(text);
  if (option == "-F202") return reference::ToUpperCase(text);
  if (option == "-F203") return reference::RemoveDuplicateWords(text);
  if (option == "-F204") return reference::RemoveSuperfluousBlanks(text);
  if (option == "-F205") return reference::RemoveDuplicateLines(text);
  if (option == "-F206") return ReplaceEvery(text, "\r\n", "\r");
  if (option == "-F207") return ReplaceEvery(text, "\r", "\r\n");
  if (option == "-F208") return ReplaceEvery(text, "\r\n", "\n");
  if (option == "-F209") return ReplaceEvery(text, "\n", "\r\n");
  if (option == "-F210") return reference::RemoveRepeatedCharWords(text, 2);
  if (option == "-F211") return reference::RemoveRepeatedCharWords(text, 3);
  if (option == "-F212" && s.same_chars_length > 1) {
    return reference::RemoveRepeatedCharWords(text, s.same_chars_length);
  }
  if (option == "-F213") {
    return reference::RemoveShortWords(text, s.min_word_length);
  }
  if (option == "-F214") return reference::KeepNouns(text, s.separator);
  return std::nullopt;
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  FuzzedDataProvider input(data, size);
  const auto catalogue = FilterCatalogue();
  const FilterEntry& filter =
      catalogue[input.ConsumeIntegralInRange<std::size_t>(
          0, catalogue.size() - 1)];

  RecordingMessages messages;
  Application app(ProgramPaths{}, messages);
  app.settings.wrap_width = Parameter(input);
  app.settings.same_chars_length = Parameter(input);
  app.settings.min_word_length = Parameter(input);
  app.settings.separator = input.ConsumeRandomLengthString(12);
  app.exclude_list = WordList(input);
  app.replace_list = WordList(input);
  const int rtf_charset = input.ConsumeIntegralInRange(0, 3);
  app.rtf_session.charset = static_cast<RtfCharset>(rtf_charset);
  const bool has_document = input.ConsumeBool();
  const std::string text = UpToZero(input.ConsumeRemainingBytesAsString());
  if (has_document) app.document.text = text;

  filter.run(app);
  if (!has_document) {
    Expect(!app.document.HasText(), "a missing document stays missing");
    return 0;
  }
  const std::string& result = *app.document.text;
  Expect(result.find('\0') == std::string::npos,
         "the document holds no zero byte");
  for (const auto& [caption, message] : messages.shown) {
    // Memory runs short only under the fuzzer's limit; the rules assume
    // there is enough.
    if (message == kNoMemory) return 0;
  }
  if (filter.byte_map != nullptr) {
    Expect(result.size() == text.size(), "a byte map keeps the length");
  }
  // A result this large comes only from a replace list that multiplies the
  // text; it is checked for zero bytes but not compared.
  if (result.size() > kLargestCompared) return 0;
  if (const std::optional<std::string> expected =
          Expected(filter.option, text, app, rtf_charset)) {
    ExpectEqual(std::string(filter.option) + " on '" + text + "'", result,
                *expected);
  }
  return 0;
}
