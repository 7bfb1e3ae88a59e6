#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "core/filters/duplicate_lines.h"
#include "core/filters/duplicate_words.h"
#include "core/filters/superfluous_blanks.h"
#include "random_text.h"
#include "reference/blanks_duplicates_reference.h"
#include "test_support.h"

namespace quor {
namespace {

using Filter = void (*)(TextDocument&, Messages&);
using Reference = std::string (*)(const std::string&);

std::string Filtered(Filter run, const std::string& text) {
  testing::RecordingMessages messages;
  TextDocument document{text};
  run(document, messages);
  EXPECT_TRUE(messages.shown.empty());
  return *document.text;
}

template <std::size_t N>
const char* Pick(std::mt19937& rng, const char* const (&choices)[N],
                 std::size_t used) {
  return choices[rng() % used];
}

// Words in several cases and spellings, with the separators that make
// tokens differ or meet: punctuation, control bytes and their twins ("-" for
// CR, "*" for LF, ")" for tab, "!" for 0x01, "," for 0x0C), and at times no
// blank at all. Each text draws from a part of both lists, so that it holds
// many repeats.
std::string WordText(std::mt19937& rng, int max_words) {
  static constexpr const char* kWords[] = {"Haus",
                                           "HAUS",
                                           "haus",
                                           "\xC4rger",
                                           "\xE4rger",
                                           "Stra\xDF\x65",
                                           "Stra\xFF\x65",
                                           "a",
                                           "ab",
                                           "AB",
                                           "x",
                                           "Donaudampfschiff",
                                           "DONAUdampfschiff",
                                           "abcdefgh,ij"};
  static constexpr const char* kSeparators[] = {
      ",",  "\r\n", "-",  "\t", " ", "*",        ")",  "\x01", "!",    "\x0C",
      "  ", ", ",   ". ", "- ", "1", "\r\n\r\n", "\r", "\n",   "\xFF", "\x1F"};
  const std::size_t words = 2 + rng() % (std::size(kWords) - 1);
  const std::size_t separators = 2 + rng() % (std::size(kSeparators) - 1);
  std::string text;
  const int count = static_cast<int>(rng() % static_cast<unsigned>(max_words));
  for (int i = 0; i < count; ++i) {
    text +=
        rng() % 8 == 0 ? testing::RandomText(rng, 5) : Pick(rng, kWords, words);
    text += Pick(rng, kSeparators, separators);
    if (rng() % 3 == 0) text += Pick(rng, kSeparators, separators);
  }
  return text;
}

// Few letters and many control bytes with their twins: long comparisons.
std::string TwinText(std::mt19937& rng, std::size_t max_length) {
  static constexpr char kBytes[] = "aAb\x01!\x01! \r-\n*\t)\xDF\xFF";
  std::string text(rng() % max_length, ' ');
  for (char& c : text) c = kBytes[rng() % (sizeof kBytes - 1)];
  return text;
}

// Lines that repeat, in other cases, with break runs of their own.
std::string LineText(std::mt19937& rng, int max_lines) {
  static constexpr const char* kContents[] = {
      "abc", "ABC", "abd", "", "a b", "\xC4x", "\xE4x", "Zeile", "ZEILE", "\t"};
  static constexpr const char* kBreaks[] = {
      "\r\n", "\n", "\r", "\r\n\r\n", "\n\n", "\r\r\n", "\n\r", "\r\n\n", ""};
  const std::size_t contents = 2 + rng() % (std::size(kContents) - 1);
  std::string text;
  const int count = static_cast<int>(rng() % static_cast<unsigned>(max_lines));
  for (int i = 0; i < count; ++i) {
    text += rng() % 6 == 0 ? testing::RandomText(rng, 6)
                           : Pick(rng, kContents, contents);
    text += Pick(rng, kBreaks, std::size(kBreaks));
  }
  return text;
}

constexpr Filter kBlanks = RemoveSuperfluousBlanks;
constexpr Reference kBlanksRules = reference::RemoveSuperfluousBlanks;
constexpr Filter kWords = RemoveDuplicateWords;
constexpr Reference kWordsRules = reference::RemoveDuplicateWords;
constexpr Filter kLines = RemoveDuplicateLines;
constexpr Reference kLinesRules = reference::RemoveDuplicateLines;

struct Case {
  Filter run;
  Reference reference;
  const char* text;
  const char* expected;
};

// The rules on a few texts, for the transcriptions as much as for the
// filters: the random tests below only compare the two.
TEST(BlanksAndDuplicates, FollowTheRules) {
  const Case cases[] = {
      {kBlanks, kBlanksRules, "  a \t b  ", "a b "},
      {kBlanks, kBlanksRules, "\r\n\tab", "ab"},
      {kBlanks, kBlanksRules, "a\r\n\r\n\r\nb", "a\r\nb"},
      {kBlanks, kBlanksRules, "a\n\n\n\nb", "a\n\nb"},
      {kBlanks, kBlanksRules, "a \r\n  b", "a \r\nb"},
      {kBlanks, kBlanksRules, "a\x01 b", "a\x01\x62"},
      {kWords, kWordsRules, "der Hund und der Mann und die Frau",
       "der Hund und  Mann  die Frau"},
      {kWords, kWordsRules, "Haus HAUS haus, Haus.", "Haus  haus, Haus."},
      {kWords, kWordsRules, "\xC4rger \xE4rger", "\xC4rger "},
      // The byte that ends a token does not matter, and CR equals "-".
      {kWords, kWordsRules, "Haus\r\nHaus- x", "Haus\r\n- x"},
      // ß folds to ÿ, which is no letter; the first byte is a token too.
      {kWords, kWordsRules, "Stra\xDF\x65 Stra\xFF\x65",
       "Stra\xDF\x65 \xFF\x65"},
      // The kept text reads on into the word being compared.
      {kWords, kWordsRules, "a!a\x01\x61\x01 ", "a!\x01\x01 "},
      {kLines, kLinesRules, "abc\r\nABC\r\nabd\r\n", "abc\r\nabd\r\n"},
      {kLines, kLinesRules, "abc\r\nabc", "abc\r\nabc"},
      {kLines, kLinesRules, "\xE4\r\n\xC4\r\n", "\xE4\r\n\xC4\r\n"},
      // The breaks beyond the earlier line's run stay and join the kept
      // line before them, which then takes the longer run.
      {kLines, kLinesRules, "a\r\na\r\n\r\na\r\n\r\nb", "a\r\n\r\nb"},
      {kLines, kLinesRules, "a\nb\na\n\n\nb\n", "a\nb\n\n\nb\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Escaped(c.text));
    EXPECT_EQ(Filtered(c.run, c.text), c.expected);
    EXPECT_EQ(c.reference(c.text), c.expected);
  }
}

void ExpectSameAsRules(Filter run, Reference reference,
                       const std::string& text) {
  ASSERT_EQ(Filtered(run, text), reference(text))
      << ::testing::PrintToString(text);
}

// The text cut into pieces at random, each cleaned up as it comes.
std::string SqueezedInPieces(std::mt19937& rng, std::string text) {
  BlankSqueezer squeezer;
  std::string result;
  while (!text.empty()) {
    const std::size_t size = std::min<std::size_t>(text.size(), rng() % 70);
    result.append(text.data(), squeezer.Squeeze(text.data(), size));
    text.erase(0, size);
  }
  return result;
}

TEST(RemoveSuperfluousBlanks, AgreesWithTheRulesOnRandomText) {
  std::mt19937 rng(2041);
  const int iterations = testing::DifferentialIterations(3000);
  for (int i = 0; i < iterations; ++i) {
    const std::string text =
        i % 2 == 0 ? testing::RandomText(rng, 300) : LineText(rng, 40);
    ExpectSameAsRules(kBlanks, kBlanksRules, text);
    ASSERT_EQ(SqueezedInPieces(rng, text), kBlanksRules(text))
        << testing::Escaped(text);
  }
}

TEST(RemoveDuplicateWords, AgreesWithTheRulesOnRandomText) {
  std::mt19937 rng(2042);
  const int iterations = testing::DifferentialIterations(6000);
  for (int i = 0; i < iterations; ++i) {
    switch (i % 3) {
      case 0:
        ExpectSameAsRules(kWords, kWordsRules, WordText(rng, 60));
        break;
      case 1:
        ExpectSameAsRules(kWords, kWordsRules, TwinText(rng, 120));
        break;
      default:
        ExpectSameAsRules(kWords, kWordsRules, testing::RandomText(rng, 200));
    }
  }
}

TEST(RemoveDuplicateWords, AgreesWithTheRulesOnLongTexts) {
  // Many words per run without blanks, and enough different tokens for the
  // index to grow a few times.
  std::mt19937 rng(2043);
  const int iterations = testing::DifferentialIterations(8);
  for (int i = 0; i < iterations; ++i) {
    std::string text;
    while (text.size() < 12000) {
      text += "w" + std::to_string(rng() % 3000);
      text += "abcdefgh"[rng() % 8];
      text += rng() % 6 == 0 ? "\r\n" : rng() % 3 == 0 ? " " : ",";
    }
    ExpectSameAsRules(kWords, kWordsRules, text);
    ExpectSameAsRules(kWords, kWordsRules, WordText(rng, 1500));
  }
}

TEST(RemoveDuplicateWords, AgreesWithTheRulesBehindABigIndex) {
  // Many different words first, of letters that the words after them do not
  // start with, so that those words meet a big index but compare as alone.
  static constexpr char kOther[] = "cfgjklmnopqrtuvwy";
  std::string names;
  for (std::uint64_t n = 0; n < 40000; ++n) {
    for (std::uint64_t rest = n;; rest /= 17) {
      names += kOther[rest % 17];
      if (rest < 17) break;
    }
    names += ' ';
  }
  std::mt19937 rng(2045);
  const int iterations = testing::DifferentialIterations(200);
  for (int i = 0; i < iterations; ++i) {
    const std::string text =
        "ab " + (i % 2 == 0 ? WordText(rng, 60) : TwinText(rng, 120));
    ASSERT_EQ(Filtered(kWords, names + text), names + kWordsRules(text))
        << ::testing::PrintToString(text);
  }
}

TEST(RemoveDuplicateLines, AgreesWithTheRulesOnRandomText) {
  std::mt19937 rng(2044);
  const int iterations = testing::DifferentialIterations(6000);
  for (int i = 0; i < iterations; ++i) {
    ExpectSameAsRules(kLines, kLinesRules,
                      i % 3 == 0 ? testing::RandomText(rng, 200)
                                 : LineText(rng, i % 100 == 1 ? 2000 : 40));
  }
}

// A name for `n` made of lower-case letters.
std::string Name(std::uint64_t n) {
  std::string name;
  do {
    name += static_cast<char>('a' + n % 26);
    n /= 26;
  } while (n != 0);
  return name;
}

TEST(RemoveDuplicateWords, TellsLongWordsWithTheSameHashApart) {
  // The Thue-Morse word of 1024 letters and its complement collide under
  // any polynomial hash modulo 2^64.
  std::string word = "a";
  while (word.size() < 1024) {
    std::string complement = word;
    for (char& c : complement) c = c == 'a' ? 'b' : 'a';
    word += complement;
  }
  std::string complement = word;
  for (char& c : complement) c = c == 'a' ? 'b' : 'a';
  const std::string distinct = word + " " + complement + " ";
  EXPECT_EQ(Filtered(kWords, distinct), distinct);
  // After a checked match of "xÿ..." with "xß...", the word behind ÿ must be
  // checked again, although it lies in the checked stretch.
  const std::string text = "x\xDF" + distinct + "x\xFF" + word + " ";
  const std::string expected = "x\xDF" + distinct + "\xFF" + word + " ";
  EXPECT_EQ(Filtered(kWords, text), expected);
  EXPECT_EQ(kWordsRules(text), expected);
}

TEST(RemoveDuplicateWords, KeepsOnlyTheFirstOfManyRepeats) {
  std::string text = "Haus";
  std::string expected = "Haus";
  for (int i = 0; i < 200000; ++i) {
    const std::string separator = i % 10 == 9 ? "\r\n" : " ";
    text += separator + (i % 10 == 9 ? "haus" : "Haus");
    expected += separator;
  }
  EXPECT_EQ(Filtered(kWords, text), expected);
}

TEST(RemoveDuplicateWordsAndLines, KeepManyDifferentOnes) {
  std::string words;
  std::string lines;
  for (std::uint64_t n = 0; n < 300000; ++n) {
    words += Name(n) + (n % 10 == 9 ? ",\r\n" : " ");
    lines += Name(n) + "\r\n";
  }
  EXPECT_EQ(Filtered(kWords, words), words);
  EXPECT_EQ(Filtered(kLines, lines), lines);
  EXPECT_EQ(Filtered(kLines, lines + lines), lines);
}

}  // namespace
}  // namespace quor
