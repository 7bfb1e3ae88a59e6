#include "core/filters/search_automaton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

bool SameFolded(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return reference::FoldUpper(static_cast<unsigned char>(x)) ==
           reference::FoldUpper(static_cast<unsigned char>(y));
  });
}

std::string RandomWord(std::mt19937& rng, std::size_t max_length) {
  static constexpr std::string_view kAlphabet = "abAB\xE4\xC4-";
  std::string word;
  for (std::size_t n = rng() % (max_length + 1); n > 0; --n) {
    word += kAlphabet[rng() % kAlphabet.size()];
  }
  return word;
}

// At every byte of a text, the endings met are those of the cut search
// texts that end there, each once; texts share an ending exactly when they
// agree folded and cut.
TEST(SearchAutomaton, MeetsEveryCutTextWhereItEnds) {
  std::mt19937 rng(7101);
  for (int i = testing::DifferentialIterations(3000); i > 0; --i) {
    const std::size_t cap = 1 + rng() % 6;
    std::vector<std::string> words;
    for (int n = static_cast<int>(rng() % 12); n > 0; --n) {
      words.push_back(RandomWord(rng, 7));
    }
    const std::vector<std::string_view> texts(words.begin(), words.end());
    const SearchAutomaton automaton(texts, cap);
    std::size_t longest = 0;
    for (std::size_t a = 0; a < texts.size(); ++a) {
      const std::string_view cut = texts[a].substr(0, cap);
      longest = std::max(longest, cut.size());
      ASSERT_EQ(cut.empty(), automaton.EndingOf(a) == SearchAutomaton::kNone);
      for (std::size_t b = 0; b < texts.size(); ++b) {
        if (cut.empty() || texts[b].empty()) continue;
        ASSERT_EQ(automaton.EndingOf(a) == automaton.EndingOf(b),
                  SameFolded(cut, texts[b].substr(0, cap)))
            << testing::Escaped(words[a]) << " " << testing::Escaped(words[b]);
      }
    }
    ASSERT_EQ(automaton.Longest(), longest);

    const std::string text = RandomWord(rng, 40);
    SearchAutomaton::State state = SearchAutomaton::kStart;
    for (std::size_t end = 1; end <= text.size(); ++end) {
      state = automaton.Step(state, text[end - 1]);
      std::set<std::uint32_t> met;
      for (std::uint32_t ending = automaton.FirstEnding(state);
           ending != SearchAutomaton::kNone;
           ending = automaton.NextEnding(ending)) {
        ASSERT_TRUE(met.insert(ending).second);
      }
      std::set<std::uint32_t> expected;
      for (std::size_t t = 0; t < texts.size(); ++t) {
        const std::string_view cut = texts[t].substr(0, cap);
        if (!cut.empty() && cut.size() <= end &&
            SameFolded(
                std::string_view(text).substr(end - cut.size(), cut.size()),
                cut)) {
          expected.insert(automaton.EndingOf(t));
        }
      }
      ASSERT_EQ(met, expected) << "text '" << testing::Escaped(text)
                               << "' up to " << end << ", cap " << cap;
    }
  }
}

}  // namespace
}  // namespace quor
