#include "rtf/token_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <utility>

#include "rtf/control_words.h"
#include "test_support.h"

namespace quor {
namespace {

// Every control word by group, in code order, as the reader must know them;
// "=" marks a name that shares the code of the name before it, "@n" sets the
// code of the next name. The line feed and carriage return symbols, both
// par, are checked apart.
constexpr const char* kGroups[] = {
    "@-1 rtf",
    "@-1 deff",
    "ansi mac pc pca",
    "pict NeXTGraphic footnote header headerl headerr headerf footer footerl "
    "footerr footerf ftnsep ftnsepc ftncn info stylesheet fonttbl colortbl "
    "=annotation atnid =field fldinst fldrslt xe bxe ixe txe rxe tc bkmkstart "
    "bkmkend title subject author operator keywords comment version doccomm",
    "fnil froman fswiss fmodern fscript fdecor ftech",
    "red green blue",
    "chpgn chftn chpict chdate chtime | ~ - _ page line par sect tab "
    "cell row @19 chatn chftnsep chftnsepc column * vern creatim revtim "
    "printim buptim edmins yr mo dy hr min nofpages nofwords nofchars id",
    "sbasedon snext",
    "paperw paperh margl margr margt margb facingp gutter deftab widowctrl "
    "hyphhotz endnotes enddoc ftntj ftnbj ftnstart ftnrestart pgnstart "
    "linestart landscape fracwidth nextfile template makeback defformat "
    "revisions margmirror revprop revbar",
    "sectd sbknone sbkcol sbkpage sbkeven sbkodd pgnstarts pgncont pgnrestart "
    "pgndec pgnucrm pgnlcrm pgnucltr pgnlcltr pgnx pgny headery footery "
    "linemod linex linestarts linerestart lineppage linecont vertalt vertal "
    "vertalc vertalj cols colsx linebetcol endnhere titlepg",
    "clbrdrb clbrdrt clbrdrl clbrdrr trowd trql trqr trqc trgaph trrh trleft "
    "cellx clmgf clmrg",
    "pard s ql qr qj qc fi li ri sb sa sl intbl keep keepn sbys pagebb noline "
    "tx tqr tqc tqdec tb brdrt brdrb brdrl brdrr box bar brdrbtw brdrs brdrth "
    "brdrsh brdrdb brdrdot brdrhair brsp tldot tlhyph tlul tlth",
    "plain b i strike outl shad scaps caps v f fs expnd ul ulw uld uldb "
    "ulnone up dn revised cf cb gray",
    "macpict wmetafile wbitmap picw pich picwgoal =picwGoal pichgoal "
    "=pichGoal picscalex picscaley picscaled piccropt piccropb piccropl "
    "piccropr wbmbitspixel wbmplanes wbmwidthbytes bin",
    "width height",
    "flddirty fldedit fldlock fldpriv",
    "tcf tcl",
    "posx posxc posxi posxl posxo posxr posy posyil posyt posyc posyb absw "
    "dxfrtext pvmrg pvpg phmrg phpg phcol",
};

TEST(ControlWordTable, HoldsEveryWordWithItsGroupAndCode) {
  std::set<std::string> listed = {"\n", "\r"};
  for (const char* name : {"\n", "\r"}) {
    const ControlWordEntry* entry = FindControlWord(name);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->major, kRtfSpecialChar);
    EXPECT_EQ(entry->minor, kRtfPar);
  }
  for (int group = 0; group < static_cast<int>(std::size(kGroups)); ++group) {
    std::istringstream words(kGroups[group]);
    int code = 0;
    std::string word;
    while (words >> word) {
      if (word[0] == '@') {
        code = std::stoi(word.substr(1));
        continue;
      }
      if (word[0] == '=') {
        word = word.substr(1);
        --code;
      }
      const ControlWordEntry* entry = FindControlWord(word);
      ASSERT_NE(entry, nullptr) << word;
      EXPECT_EQ(entry->major, group) << word;
      EXPECT_EQ(entry->minor, code) << word;
      listed.insert(word);
      ++code;
    }
  }
  // Every listed word is in the table and the table holds no more.
  EXPECT_EQ(listed.size(), 281u);
  EXPECT_EQ(ControlWordTable().size(), 281u);
  std::set<std::string_view> names;
  for (const ControlWordEntry& entry : ControlWordTable()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_EQ(entry.name_sum, ControlWordNameSum(entry.name));
  }
}

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
  for (const ControlWordEntry& entry : ControlWordTable()) {
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

TEST(HexDigitValue, TakesAnyCharacter) {
  const std::pair<unsigned char, int> cases[] = {
      {'0', 0},  {'9', 9},  {'a', 10},  {'F', 15},
      {'z', 35}, {'Z', 35}, {' ', -55}, {0xE4, 0xE4 - 87}};
  for (const auto& [c, value] : cases) EXPECT_EQ(HexDigitValue(c), value) << c;
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

struct TokenCase {
  const char* source;
  const char* tokens;
};

void PrintTo(const TokenCase& c, std::ostream* os) {
  *os << testing::Escaped(c.source);
}

class ScanTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(ScanTokens, CutsSourceIntoTokens) {
  EXPECT_EQ(Tokens(GetParam().source), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanTokens,
    ::testing::Values(
        TokenCase{"", "E"}, TokenCase{"\\b0", "C12/1:0 E"},
        TokenCase{"\\b", "C12/1 E"}, TokenCase{"\\li-360", "C11/7:-360 E"},
        TokenCase{"\\par x", "C6/11 T120 E"},
        TokenCase{"\\par  x", "C6/11 T32 T120 E"},
        TokenCase{"\\par\\par", "C6/11 C6/11 E"},
        TokenCase{"\\b-x", "C12/1 T120 E"}, TokenCase{"\\b- x", "C12/1 T120 E"},
        TokenCase{"\\fi-0", "C11/6:0 E"},
        TokenCase{"\\'41\\'E4\\'e4", "T65 T228 T228 E"},
        TokenCase{"\\'zz\\' 0\\'", "T595 T-880 U E"}, TokenCase{"\\'4", "U E"},
        TokenCase{"\\'0a\\'0D\\'ab", "T171 E"},  // LF and CR are dropped
        TokenCase{"\\{\\}\\\\\\:", "T123 T125 T92 T58 E"},
        TokenCase{"\\~\\-\\_\\|\\*", "C6/6 C6/7 C6/8 C6/5 C6/23 E"},
        TokenCase{"\\;\\1\\\t\\\xE4", "U U U U E"},
        TokenCase{"a\tb\\tab c", "T97 C6/13 T98 C6/13 T99 E"},
        TokenCase{"a\r\nb\\\nc\\\rd", "T97 T98 C6/11 T99 C6/11 T100 E"},
        TokenCase{"\\Par\\PAR\\parx", "U U U E"},
        TokenCase{"\\unknown12 x", "U:12 T120 E"},
        TokenCase{"\\par", "C6/11 E"}, TokenCase{"x\\", "T120 U E"},
        TokenCase{"{\\rtf1}", "{ C0/-1:1 } E"},
        TokenCase{"\xE4\xFF", "T228 T255 E"},
        // The parameter wraps modulo 2^32.
        TokenCase{"\\b4294967297", "C12/1:1 E"},
        TokenCase{"\\b-2147483648", "C12/1:-2147483648 E"},
        TokenCase{"\\b99999999999", "C12/1:1215752191 E"}));

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
