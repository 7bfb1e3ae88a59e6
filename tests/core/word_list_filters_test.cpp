#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/filters/exclude_list.h"
#include "core/filters/replace_list.h"
#include "random_text.h"
#include "reference/word_list_reference.h"
#include "test_support.h"

namespace quor {
namespace {

using Filter = void (*)(TextDocument&, const std::optional<std::string>&,
                        Messages&);

struct ListCase {
  Filter filter;
  std::string list;
  std::string text;
  std::string expected;
};

TEST(WordLists, GiveTheListedResult) {
  const ListCase cases[] = {
      {ApplyExcludeList, "der\r\ndie\r\n", "Der Hund, der Mann und die Frau",
       " Hund,  Mann und  Frau"},
      // Prefixes go, and what is left of the word is tried again.
      {ApplyExcludeList, "der\r\nselbe\r\n", "derselbe ist", " ist"},
      {ApplyExcludeList, "\xE4pfel\r\n", "\xC4pfel \xE4pfel", " "},
      // The first entry in list order wins.
      {ApplyExcludeList, "die\r\ndieser\r\n", "dieser", "ser"},
      // A last line without a line break never matches; nor does an entry
      // that the text's end cuts short.
      {ApplyExcludeList, "der\r\ndie", "die der", "die "},
      {ApplyExcludeList, "derselbe\r\n", "ders", "ders"},
      // Every later word of a line is an entry of its own.
      {ApplyExcludeList, "Haus Baum\r\n", "Baum Haus Baum", " "},
      // Bit 0x20 pairs CR with "-", LF with "*", "@" with "`" and control
      // bytes with punctuation; the comparison runs on through the list's
      // line breaks when the text has such bytes there.
      {ApplyExcludeList, "der\r\n", "der-x", "x"},
      {ApplyExcludeList, "der\nx\n", "der*x", ""},
      {ApplyExcludeList, "@b\r\n", "`B", ""},
      // The list's first byte starts an entry even when it is a line break.
      {ApplyExcludeList, "\r\n\r\nder\r\n", "-x der", "x "},
      {ApplyReplaceList, "Auto\r\nWagen\r\nHaus\r\nHeim\r\n",
       "Das Auto im HAUS", "Das Wagen im Heim"},
      {ApplyReplaceList, "Auto\rWagen\r\r\nim", "Das Auto im Haus",
       "Das Wagen  Haus"},
      {ApplyReplaceList, "Auto\r\n\r\nWagen\r\n", "Auto", "Wagen"},
      // Replacing folds A-Z only.
      {ApplyReplaceList, "\xE4\nx\n", "\xC4\xE4", "\xC4x"},
      // Texts that only earlier pairs bring into being.
      {ApplyReplaceList, "b\n-\na-C\nX", "abc", "X"},
  };
  testing::RecordingMessages messages;
  for (const ListCase& c : cases) {
    SCOPED_TRACE("list '" + testing::Escaped(c.list) + "' text '" +
                 testing::Escaped(c.text) + "'");
    TextDocument document{c.text};
    c.filter(document, c.list, messages);
    EXPECT_EQ(*document.text, c.expected);
    const auto rules = c.filter == ApplyExcludeList
                           ? reference::ApplyExcludeList
                           : reference::ApplyReplaceList;
    EXPECT_EQ(rules(c.text, c.list), c.expected);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(WordLists, WithoutListNothingHappens) {
  testing::RecordingMessages messages;
  for (const Filter filter : {ApplyExcludeList, ApplyReplaceList}) {
    TextDocument document{std::string("a b")};
    filter(document, std::nullopt, messages);
    EXPECT_EQ(*document.text, "a b");
  }
  EXPECT_TRUE(messages.shown.empty());
}

// Lists and texts from the same few words, with the variants that trip the
// comparison up: case, bit-0x20 twins, all kinds of line ends, empty lines.
std::string RandomPiece(std::mt19937& rng) {
  static constexpr const char* kPieces[] = {
      "der",  "DER",  "die", "dies", "d",    "Haus", "hAUS", "\xE4pfel",
      "\xC4", "ab",   "aB",  "b",    " ",    " ",    "-",    "*",
      "\r\n", "\r\n", "\n",  "\r",   "\x01", "!",    "@",    "`"};
  return kPieces[std::uniform_int_distribution<std::size_t>(
      0, std::size(kPieces) - 1)(rng)];
}

std::string RandomList(std::mt19937& rng, int pieces) {
  std::string list;
  for (int i = std::uniform_int_distribution<int>(0, pieces)(rng); i > 0; --i) {
    list += rng() % 8 == 0 ? testing::RandomText(rng, 4) : RandomPiece(rng);
  }
  return list;
}

// The replace list gives the pass-per-pair result, also on the paths of long
// texts and lists, reached here on short ones: the text cut into chunks of a
// few bytes, search texts indexed by their first bytes only.
void ExpectPassPerPairResult(const std::string& text, const std::string& list,
                             std::mt19937& rng) {
  const std::string expected = reference::ApplyReplaceList(text, list);
  const std::size_t chunk_bytes = 1 + rng() % 24;
  const std::size_t indexed_bytes = rng() % 5 == 0 ? 1000 : 1 + rng() % 4;
  testing::RecordingMessages messages;
  TextDocument document{text};
  ApplyReplaceList(document, list, messages);
  TextDocument chunked{text};
  replace_list_detail::ApplyReplaceList(chunked, list, messages, chunk_bytes,
                                        indexed_bytes);
  ASSERT_TRUE(messages.shown.empty());
  ASSERT_EQ(*document.text, expected)
      << "list '" << testing::Escaped(list) << "' text '"
      << testing::Escaped(text) << "'";
  ASSERT_EQ(*chunked.text, expected)
      << "list '" << testing::Escaped(list) << "' text '"
      << testing::Escaped(text) << "' chunks of " << chunk_bytes
      << ", indexed by " << indexed_bytes;
}

TEST(ExcludeList, AgreesWithPlainScanOnRandomLists) {
  std::mt19937 rng(6021);
  testing::RecordingMessages messages;
  for (int i = testing::DifferentialIterations(3000); i > 0; --i) {
    const std::string list = RandomList(rng, 30);
    const std::string text = RandomList(rng, 60);
    TextDocument document{text};
    ApplyExcludeList(document, list, messages);
    ASSERT_EQ(*document.text, reference::ApplyExcludeList(text, list))
        << "list '" << testing::Escaped(list) << "' text '"
        << testing::Escaped(text) << "'";
  }
}

TEST(ReplaceList, AgreesWithPassPerPairOnRandomLists) {
  std::mt19937 rng(6022);
  for (int i = testing::DifferentialIterations(3000); i > 0; --i) {
    const std::string text = RandomList(rng, 60);
    std::string list = RandomList(rng, 20);
    // Now and then a long search text that occurs.
    if (rng() % 4 == 0 && text.size() > 40) list += text.substr(3, 36) + "\n";
    list += RandomList(rng, 10);
    ExpectPassPerPairResult(text, list, rng);
  }
}

TEST(ReplaceList, AgreesWithPassPerPairWhenPairsMakeSearchTextsOfLaterOnes) {
  // The text has only a and b; c and d come in by replacements, right
  // beside whatever a later search text needs.
  std::mt19937 rng(6024);
  const auto random_text = [&rng](std::string_view alphabet, int min_length,
                                  int max_length) {
    std::string text;
    for (int n =
             std::uniform_int_distribution<int>(min_length, max_length)(rng);
         n > 0; --n) {
      text += alphabet[rng() % alphabet.size()];
    }
    return text;
  };
  for (int i = testing::DifferentialIterations(3000); i > 0; --i) {
    // Half of the texts are lines, which the long-text paths replace in
    // one by one.
    const std::string text =
        random_text(i % 2 == 0 ? "abAB" : "abAB\n", 0, 400);
    std::string list;
    for (int pairs = 1 + static_cast<int>(rng() % 12); pairs > 0; --pairs) {
      list += random_text("ab", 0, 3) + random_text("abcdCD", 1, 2) + "\n" +
              random_text("abcdCD", 1, 3) + "\n";
    }
    ExpectPassPerPairResult(text, list, rng);
  }
}

TEST(ReplaceList, AgreesWithPassPerPairOnManyLongSearchTexts) {
  // Many long search texts of all bytes, each replacement bringing a later
  // search text into being.
  std::mt19937 rng(6023);
  std::uniform_int_distribution<int> byte(1, 255);
  for (int i = testing::DifferentialIterations(3000) / 1000; i > 0; --i) {
    std::vector<std::string> searches(700);
    for (std::string& search : searches) {
      while (search.size() < 40) {
        const char c = static_cast<char>(byte(rng));
        if (c != '\r' && c != '\n') search += c;
      }
    }
    std::string list;
    std::string text;
    for (std::size_t j = 0; j < searches.size(); ++j) {
      const std::string& next = searches[(j + 1 + rng() % 5) % searches.size()];
      list += searches[j] + "\r\n" + next.substr(0, rng() % 41) + "\r\n";
      if (rng() % 20 == 0) {
        text += searches[j] + next.substr(20) + (rng() % 2 == 0 ? "\r\n" : "");
      }
    }
    ExpectPassPerPairResult(text, list, rng);
  }
}

}  // namespace
}  // namespace quor
