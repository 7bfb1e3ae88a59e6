#include "core/rtf/token_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "core/rtf/control_words.h"
#include "test_support.h"

namespace quor {
namespace {

// The plain walk: skip entries with another sum, compare the rest.
const ControlWordEntry* WalkTable(std::string_view name) {
  const int sum = ControlWordNameSum(name);
  for (const ControlWordEntry& entry : ControlWordTable()) {
    if (entry.name_sum == sum && entry.name == name) return &entry;
  }
  return nullptr;
}

TEST(ControlWordTable, LookupAgreesWithTableWalk) {
  std::vector<std::string> names = {"",     "Par", "PAR", "parx", "pa",
                                    "tab ", "\t",  ";",   "\xE4", "picwGOAL"};
  // A name the table held twice would hide its second entry.
  std::set<std::string_view> distinct;
  for (const ControlWordEntry& entry : ControlWordTable()) {
    EXPECT_TRUE(distinct.insert(entry.name).second) << entry.name;
    std::string name(entry.name);
    names.push_back(name);
    names.push_back(name + "x");
    names.push_back(name.substr(1));
    std::swap(name.front(), name.back());  // same sum, other name
    names.push_back(name);
  }
  std::mt19937 rng(281);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::uniform_int_distribution<int> length(1, 14);
  for (int i = 0; i < 20000; ++i) {
    std::string name(static_cast<std::size_t>(length(rng)), 'a');
    for (char& c : name) c = static_cast<char>(letter(rng));
    names.push_back(name);
  }
  for (const std::string& name : names) {
    EXPECT_EQ(FindControlWord(name), WalkTable(name)) << testing::Escaped(name);
  }
}

// Every token up to the end of the source, each written as "{", "}", "E"
// (end), "U" (unrecognised), "Tn" (text with its code) or "Cg/c" (control
// word) with ":p" for a parameter.
std::string Tokens(std::string_view source) {
  RtfTokenReader reader(source);
  std::string tokens;
  for (int i = 0; i < 1000; ++i) {
    const TokenClass token_class = reader.NextToken();
    const RtfToken& token = reader.token();
    if (!tokens.empty()) tokens += ' ';
    switch (token_class) {
      case TokenClass::kGroup:
        tokens += token.major == kOpeningBrace ? "{" : "}";
        break;
      case TokenClass::kText:
        tokens += "T" + std::to_string(token.major);
        break;
      case TokenClass::kControl:
        tokens += "C" + std::to_string(token.major) + "/" +
                  std::to_string(token.minor);
        break;
      case TokenClass::kUnrecognised:
        tokens += "U";
        break;
      case TokenClass::kEnd:
        return tokens + "E";
    }
    if (token.parameter != kNoParameter) {
      tokens += ":" + std::to_string(token.parameter);
    }
  }
  return tokens + " (no end)";
}

TEST(RtfTokenReader, CutsSourceIntoTokens) {
  const struct {
    const char* source;
    const char* tokens;
  } cases[] = {
      {"", "E"},
      {"{\\rtf1}", "{ C0/-1:1 } E"},
      {"\\b0", "C12/1:0 E"},
      {"\\li-360", "C11/7:-360 E"},
      {"\\par x", "C6/11 T120 E"},
      {"\\par  x", "C6/11 T32 T120 E"},
      {"\\par\\par", "C6/11 C6/11 E"},
      {"\\b- x", "C12/1 T120 E"},
      // Any character is a hex digit, by its distance from "a" or "0".
      {"\\'41\\'E4\\'e4", "T65 T228 T228 E"},
      {"\\'zz\\' 0\\'", "T595 T-880 U E"},
      {"\\'4", "U E"},
      {"\\'0a\\'0D\\'ab", "T171 E"},  // LF and CR are dropped
      {"\\{\\}\\\\\\:", "T123 T125 T92 T58 E"},
      {"\\~\\-\\_\\|\\*", "C6/6 C6/7 C6/8 C6/5 C6/23 E"},
      {"\\;\\1\\\t\\\xE4", "U U U U E"},
      {"a\tb\\tab c", "T97 C6/13 T98 C6/13 T99 E"},
      {"a\r\nb\\\nc\\\rd", "T97 T98 C6/11 T99 C6/11 T100 E"},
      {"\\Par\\PAR\\parx", "U U U E"},
      {"\\unknown12 x", "U:12 T120 E"},
      {"x\\", "T120 U E"},
      // The parameter wraps modulo 2^32.
      {"\\b4294967297", "C12/1:1 E"},
      {"\\b99999999999", "C12/1:1215752191 E"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Tokens(c.source), c.tokens) << testing::Escaped(c.source);
  }
}

TEST(RtfTokenReader, TokenTextIsTheWordWithoutDelimiter) {
  const struct {
    const char* source;
    const char* text;
  } cases[] = {
      {"\\li-360 x", "\\li-360"}, {"\\b-x", "\\b-"}, {"\\par\\par", "\\par"},
      {"\\'e4", "\\'e4"},         {"\\~x", "\\~"},   {"\t", "\t"},
      {"\\'4", "\\'4"},           {"{", "{"}};
  for (const auto& c : cases) {
    RtfTokenReader reader(c.source);
    reader.NextToken();
    EXPECT_EQ(reader.token().text, c.text) << c.source;
  }
}

TEST(RtfTokenReader, KeepsMajorAndMinorOfEarlierTokens) {
  RtfTokenReader reader("\\fnil x\\fcharset0{");
  reader.NextToken();
  EXPECT_EQ(reader.token().minor, 0);
  reader.NextToken();  // text sets the major only
  EXPECT_EQ(reader.token().major, 'x');
  EXPECT_EQ(reader.token().minor, 0);
  EXPECT_EQ(reader.NextToken(), TokenClass::kUnrecognised);
  EXPECT_EQ(reader.token().major, 'x');
  reader.NextToken();
  EXPECT_EQ(reader.token().major, kOpeningBrace);
  EXPECT_EQ(reader.token().minor, 0);
}

TEST(RtfTokenReader, EndsAtFirstZeroByteAndStaysThere) {
  RtfTokenReader reader(std::string_view("a\0b", 3));
  EXPECT_EQ(reader.NextToken(), TokenClass::kText);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(reader.NextToken(), TokenClass::kEnd);
  EXPECT_TRUE(reader.TakePlainText().empty());
}

TEST(RtfTokenReader, LongWordsAndParametersStayLinearAndCut) {
  const std::string letters(10'000'000, 'q');
  const std::string digits(10'000'000, '9');
  const std::string source = "\\" + letters + digits + " x";
  RtfTokenReader reader(source);
  EXPECT_EQ(reader.NextToken(), TokenClass::kUnrecognised);
  EXPECT_EQ(reader.token().text.size(), kMaxTokenText);
  EXPECT_EQ(reader.NextToken(), TokenClass::kText);
  EXPECT_EQ(reader.token().major, 'x');
  // A long name that starts like a known word is still unknown.
  EXPECT_EQ(Tokens("\\par" + std::string(5000, 'a')), "U E");
}

}  // namespace
}  // namespace quor
