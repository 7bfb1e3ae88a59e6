// Byte maps and collapsed blanks done while reading give what the whole
// document gives, whatever the input's encoding turns out to be and wherever
// the slices fall.

#include "core/app/streamed_filter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/app/unix_options.h"
#include "random_text.h"
#include "test_support.h"

namespace quor {
namespace {

// The filters that stream.
std::vector<FilterStep> StreamableSteps() {
  std::vector<FilterStep> steps;
  for (const FilterEntry& filter : FilterCatalogue()) {
    if (filter.byte_map != nullptr || filter.squeezes_blanks) {
      steps.push_back({&filter, {}, {}});
    }
  }
  return steps;
}

// What StreamInput writes, with its messages.
struct Streamed {
  std::string bytes;
  CollectedMessages messages;
};

Streamed StreamFile(const std::string& path, std::span<const FilterStep> steps,
                    const RunContext& context) {
  const std::optional<StreamPlan> plan =
      StreamPlanOf(steps, context.character_set);
  EXPECT_TRUE(plan.has_value());
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* output = open_memstream(&buffer, &size);
  Streamed streamed;
  streamed.messages =
      StreamInput(path, *plan, steps, context, output, [](std::uint64_t) {});
  std::fclose(output);
  streamed.bytes.assign(buffer, size);
  std::free(buffer);
  return streamed;
}

// ASCII of letters only, of blanks and breaks only, or of both mixed, so that
// runs of blanks cross the edges of slices and of what is held back.
std::string AsciiRun(std::mt19937& rng, std::size_t size) {
  static constexpr char kBlanks[] = " \t\r\n";
  const int kind = static_cast<int>(rng() % 3);
  std::string run(size, 'a');
  for (char& c : run) {
    if (kind == 1 || (kind == 2 && rng() % 4 == 0)) c = kBlanks[rng() % 4];
  }
  return run;
}

// Texts whose first byte beyond ASCII, or the end, lies near a slice's edge.
std::string Input(std::mt19937& rng) {
  static constexpr std::string_view kTails[] = {
      "",
      "Gr\xF6\xDF"
      "e",
      "Gr\xC3\xB6\xC3\x9F"
      "e \xE2\x82\xAC",
      "\xC3\xB6 then \xF6",
      "\xC3\xA4\xE2\x82\xAC",
      "\xE2\x88\x9A outside",
      "\xC3",
      "\xE2\x82",
      "\xEF\xBB\xBF"
      "mark later",
      std::string_view("zero \0 byte", 11),
  };
  static constexpr std::string_view kOpenings[] = {
      "", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB"};
  std::uniform_int_distribution<std::size_t> tail(0, std::size(kTails) - 1);
  std::uniform_int_distribution<std::size_t> opening(0,
                                                     std::size(kOpenings) - 1);
  std::uniform_int_distribution<int> marked(0, 3);
  std::uniform_int_distribution<int> near(-4, 4);
  std::uniform_int_distribution<int> slices(0, 2);
  const auto ascii = static_cast<std::size_t>(
      std::max(0, slices(rng) * static_cast<int>(kStreamSlice) + near(rng)));
  std::string text(marked(rng) == 0 ? kOpenings[opening(rng)] : "");
  text += AsciiRun(rng, ascii);
  text += kTails[tail(rng)];
  // Half the texts end in plain ASCII, so that a UTF-8 text stays one.
  std::string rest = testing::RandomText(rng, 40);
  if (marked(rng) < 2) {
    for (char& c : rest) c = static_cast<char>(c & 0x7F ? c & 0x7F : 'x');
  }
  text += rest;
  return text;
}

TEST(StreamedFilter, GivesWhatTheWholeDocumentGives) {
  const testing::TempDir dir;
  const std::string path = dir.File("input");
  const std::vector<FilterStep> all = StreamableSteps();
  std::mt19937 rng(2026);
  std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
  std::uniform_int_distribution<int> count(1, 3);
  for (const CharacterSet set : {CharacterSet::kAuto, CharacterSet::kAnsi}) {
    RunContext context;
    context.character_set = set;
    for (int i = 0; i < testing::DifferentialIterations(150); ++i) {
      std::vector<FilterStep> steps;
      for (int n = count(rng); n > 0; --n) steps.push_back(all[pick(rng)]);
      const std::string text = Input(rng);
      testing::WriteFile(path, text);
      const FilterResult whole = FilterInput(path, steps, context, false);
      const Streamed streamed = StreamFile(path, steps, context);
      const std::string shown = testing::Escaped(text.substr(0, 12)) + "... (" +
                                std::to_string(text.size()) + " bytes)";
      ASSERT_EQ(streamed.messages.ErrorReported(), whole.failed) << shown;
      const auto& said = streamed.messages.shown();
      const auto& expected = whole.messages.shown();
      ASSERT_EQ(said.size(), expected.size()) << shown;
      for (std::size_t m = 0; m < said.size(); ++m) {
        EXPECT_EQ(said[m].text, expected[m].text) << shown;
      }
      if (!whole.failed) {
        ASSERT_TRUE(streamed.bytes == whole.bytes) << shown;
      }
    }
  }
}

TEST(StreamedFilter, OnlyMapsAndBlanksOutsideTheSetUtf8Stream) {
  const FilterStep upper{CatalogueEntry("-F202"), {}, {}};
  const FilterStep blanks{CatalogueEntry("-F204"), {}, {}};
  const FilterStep words{CatalogueEntry("-F203"), {}, {}};
  const std::vector<FilterStep> streamable = {upper, blanks, upper};
  const std::vector<FilterStep> mixed = {upper, words};
  EXPECT_TRUE(StreamPlanOf(streamable, CharacterSet::kAuto));
  EXPECT_FALSE(StreamPlanOf(mixed, CharacterSet::kAuto));
  EXPECT_FALSE(StreamPlanOf(streamable, CharacterSet::kUtf8));
}

TEST(StreamedFilter, AMissingInputIsReported) {
  const FilterStep upper{CatalogueEntry("-F202"), {}, {}};
  const Streamed streamed =
      StreamFile("/nonexistent/input", {&upper, 1}, RunContext{});
  EXPECT_TRUE(streamed.messages.ErrorReported());
  EXPECT_EQ(streamed.bytes, "");
}

}  // namespace
}  // namespace quor
