// Each filter of the conventional command line does what its button does:
// the one-file function against the button's own run, on random documents.

#include "core/app/unix_filter.h"

#include <gtest/gtest.h>

#include <random>

#include "core/app/application.h"
#include "core/app/unix_options.h"
#include "random_text.h"
#include "test_support.h"

namespace quor {
namespace {

RunContext TestContext() {
  RunContext context;
  context.character_set = CharacterSet::kAnsi;
  context.settings.wrap_width = 9;
  context.settings.same_chars_length = 4;
  context.settings.min_word_length = 3;
  context.settings.separator = ";";
  context.exclude_list = "a\r\nZ\r\n";
  context.replace_list = "e\r\nxy\r\nb\r\n\r\n";
  context.named_lists.emplace("named", "x\r\n");
  return context;
}

// What the buttons give, one after the other, with the settings that the
// steps' parameters make.
std::string ThroughButtons(const std::string& text,
                           const std::vector<FilterStep>& steps,
                           const RunContext& context) {
  testing::RecordingMessages messages;
  Application app(context.paths, messages);
  app.document.text = text;
  for (const FilterStep& step : steps) {
    app.settings = context.settings;
    app.exclude_list = context.exclude_list;
    app.replace_list = context.replace_list;
    if (step.text) {
      app.settings.separator = *step.text;
      app.exclude_list = context.named_lists.at("named");
      app.replace_list = context.named_lists.at("named");
    }
    if (step.number) {
      app.settings.wrap_width = *step.number;
      app.settings.same_chars_length = *step.number;
      app.settings.min_word_length = *step.number;
    }
    step.filter->run(app);
  }
  return *app.document.text;
}

// Every catalogue entry, once without a parameter and, where its option
// takes one, once with.
std::vector<FilterStep> AllSteps() {
  std::vector<FilterStep> steps;
  for (const FilterEntry& filter : FilterCatalogue()) {
    steps.push_back({&filter, {}, {}});
  }
  for (const FilterOption& option : FilterOptions()) {
    const FilterEntry* filter = CatalogueEntry(option.catalogue_option);
    switch (option.parameter) {
      case OptionParameter::kNone:
        break;
      case OptionParameter::kOptionalNumber:
      case OptionParameter::kNumber:
        steps.push_back({filter, 5, {}});
        break;
      case OptionParameter::kOptionalFile:
      case OptionParameter::kOptionalText:
        steps.push_back({filter, {}, "named"});
        break;
    }
  }
  return steps;
}

TEST(UnixFilter, EveryStepGivesTheBytesOfItsButton) {
  const RunContext context = TestContext();
  std::mt19937 rng(14);
  const int iterations = testing::DifferentialIterations(40);
  for (const FilterStep& step : AllSteps()) {
    for (int i = 0; i < iterations; ++i) {
      const std::string text = testing::RandomText(rng, 200);
      const FilterResult result = FilterDocument(text, {&step, 1}, context);
      ASSERT_FALSE(result.failed);
      ASSERT_EQ(testing::Escaped(result.bytes),
                testing::Escaped(ThroughButtons(text, {step}, context)))
          << step.filter->label << " on " << testing::Escaped(text);
    }
  }
}

// Runs of several steps, byte maps among them composed into one pass.
TEST(UnixFilter, StepSequencesGiveTheBytesOfTheirButtonsInTurn) {
  RunContext context = TestContext();
  context.compare_with_input = true;
  const std::vector<FilterStep> all = AllSteps();
  std::mt19937 rng(208);
  std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
  std::uniform_int_distribution<int> count(1, 5);
  for (int i = 0; i < testing::DifferentialIterations(400); ++i) {
    std::vector<FilterStep> steps;
    for (int n = count(rng); n > 0; --n) steps.push_back(all[pick(rng)]);
    const std::string text = testing::RandomText(rng, 200);
    const FilterResult result = FilterDocument(text, steps, context);
    const std::string expected = ThroughButtons(text, steps, context);
    ASSERT_EQ(testing::Escaped(result.bytes), testing::Escaped(expected))
        << steps.front().filter->label << " on " << testing::Escaped(text);
    EXPECT_EQ(result.changed, expected != text);
  }
}

}  // namespace
}  // namespace quor
