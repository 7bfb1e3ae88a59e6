#include "rtf/convert_rtf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "random_text.h"
#include "reference/rtf_reference.h"
#include "test_support.h"

namespace quor {
namespace {

using Texts = std::vector<std::string>;

struct Converted {
  std::string text;
  Texts messages;
};

Converted Convert(std::string source, RtfSession& session) {
  testing::RecordingMessages log;
  TextDocument document{std::move(source)};
  ConvertRtfDocument(document, session, log);
  Converted result{*document.text, {}};
  for (const auto& [caption, text] : log.shown) {
    EXPECT_EQ(caption, "RTF-Error");
    result.messages.push_back(text);
  }
  return result;
}

std::string Convert(std::string source) {
  RtfSession session;
  return Convert(std::move(source), session).text;
}

struct WriterCase {
  const char* source;
  const char* text;
};

void PrintTo(const WriterCase& c, std::ostream* os) {
  *os << testing::Escaped(c.source);
}

class WriteText : public ::testing::TestWithParam<WriterCase> {};

TEST_P(WriteText, KeepsBodyTextOnly) {
  EXPECT_EQ(testing::Escaped(Convert(GetParam().source)),
            testing::Escaped(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteText,
    ::testing::Values(
        WriterCase{"{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Arial;}\\f0\\pard "
                   "Hello {\\b bold} world.\\par}",
                   "Hello bold world.\n"},
        WriterCase{"a\\tab b\\line c", "a\tb\nc"},
        WriterCase{"one\\par\r\ntwo", "one\ntwo"},
        WriterCase{"\\{\\}\\\\", "{}\\"}, WriterCase{"a\\~b\\-c\\_d", "a bc-d"},
        WriterCase{"a\\cell b\\row c\\page d\\sect e\\\nf\tg",
                   "a b\nc\nd\ne\nf\tg"},
        WriterCase{"{\\info{\\title T}{\\author A}}Text", "Text"},
        WriterCase{"{\\pict\\wmetafile8 0a0b0c}Text", "Text"},
        WriterCase{"{\\footnote Note}", "Note"},
        WriterCase{"{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}", "PAGE1"},
        WriterCase{"{\\header H}{\\footerl F}{\\xe X}{\\bkmkstart B}", "HFXB"},
        WriterCase{"\\'41\\'42", "AB"}, WriterCase{"", ""},
        WriterCase{"no rtf at all\r\n{at all}", "no rtf at allat all"},
        // Summary fields, continuation marks and revised entries are skipped
        // wherever they stand.
        WriterCase{
            "a{\\title T{x}}b{\\ftnsepc c}{\\ftncn n}{\\rxe r}{\\doccomm "
            "d}e",
            "abe"},
        WriterCase{"{a\\pict b}c", "ac"},
        WriterCase{"{\\*\\generator Writer 2.0;}x", "Writer 2.0;x"},
        WriterCase{"\\chpgn\\chftn\\|\\*\\column\\id5x", "x"},
        WriterCase{"{\\v hidden}\\b0\\fs20 \\qc\\trowd\\posx y", "hiddeny"},
        WriterCase{"\\'00\\'zz\\' x\\'0dy\\'0az", "yz"},
        WriterCase{"\\u8364\\'80 \\u945?", "\x80 ?"},
        WriterCase{"\xE4\xDF\x80\xFF\\'e4", "\xE4\xDF\x80\xFF\xE4"},
        WriterCase{"x{\\annotation ab}y", "xy"}, WriterCase{"x\\", "x"},
        WriterCase{"{{{\\b x", "x"}));

TEST(ConvertRtfDocument, ReportsThroughTheMessagesInOrder) {
  RtfSession session;
  const Converted result = Convert(
      "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}{\\colortbl;\\red1 x;}"
      "{\\stylesheet{ Normal;}}Text",
      session);
  EXPECT_EQ(result.text, "Text");
  EXPECT_EQ(result.messages,
            (Texts{"FTErr - missing font name", "FTErr - missing \"}\"",
                   "FTErr - missing \"{\"", "FTErr - missing font number",
                   "FTErr - missing font family", "CTErr - malformed entry",
                   "SSErr - missing style number"}));
}

TEST(ConvertRtfDocument, CharacterSetsMapCodesFrom128) {
  const struct {
    const char* source;
    const char* text;
  } cases[] = {
      {"\\mac \\'a9\\'d2x\\'d3\\'8a\\'ca!\\'ff", "(c)\"x\"X !X"},
      {"\\mac\xA5\xA9\xD0", "o(c)-"},
      {"\\pc \\'e4\xFCx", "XXx"},
      {"\\pca \\'84", "X"},
      {"\\mac\\ansi \\'a9", "\xA9"},
      // A character-set word in a skipped group does not count.
      {"{\\info\\mac}\\'a9", "\xA9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(testing::Escaped(Convert(c.source)), testing::Escaped(c.text))
        << c.source;
  }
}

TEST(ConvertRtfDocument, CharacterSetLastsFromOneConversionToTheNext) {
  RtfSession session;
  EXPECT_EQ(session.charset, RtfCharset::kAnsi);
  Convert("{\\rtf1\\mac x}", session);
  EXPECT_EQ(session.charset, RtfCharset::kMac);
  EXPECT_EQ(Convert("\\'a9", session).text, "(c)");
  Convert("\\pca", session);
  EXPECT_EQ(Convert("\\'a9", session).text, "X");
  Convert("\\ansi", session);
  EXPECT_EQ(Convert("\\'a9", session).text, "\xA9");
}

TEST(ConvertRtfDocument, WritesNoMoreThanTheDocumentLength) {
  // Six source bytes give room for seven: "cents" twice is cut there.
  EXPECT_EQ(Convert("\\mac\xA2\xA2"), "centsce");
  EXPECT_EQ(Convert("\\mac\xA2\xA2\xA2\xA2\xA2"), "centscents");
}

std::string ReadDocument(const char* name) {
  const auto path =
      std::filesystem::path(__FILE__).parent_path() / "data" / "rtf" / name;
  std::string bytes = testing::ReadFile(path.string());
  EXPECT_FALSE(bytes.empty()) << path;
  return bytes;
}

TEST(ConvertRtfDocument, LetterWithUnicodeEscapesAndFallbacks) {
  RtfSession session;
  const Converted result = Convert(ReadDocument("letter_ansi.rtf"), session);
  EXPECT_EQ(testing::Escaped(result.text),
            testing::Escaped("Quor Testschreiber 1.0;"
                             "Sehr geehrte Frau M\xFCller,\n"
                             "vielen Dank f\xFCr Ihre Anfrage vom 3. M\xE4rz.\n"
                             "Preis: 12\x80\tnetto\n"
                             "Winkel ?, Mit freundlichen Gr\xFC\xDF"
                             "en\nIhr Team\n"));
  // The charset words end each name: every entry costs five messages.
  const Texts entry = {"FTErr - missing font name", "FTErr - missing \"}\"",
                       "FTErr - missing \"{\"", "FTErr - missing font number",
                       "FTErr - missing font family"};
  Texts twice = entry;
  twice.insert(twice.end(), entry.begin(), entry.end());
  EXPECT_EQ(result.messages, twice);
  EXPECT_EQ(session.charset, RtfCharset::kAnsi);
}

TEST(ConvertRtfDocument, ReportWithTablesFootnoteFieldsAndPicture) {
  RtfSession session;
  const Converted result = Convert(ReadDocument("report_tables.rtf"), session);
  EXPECT_EQ(testing::Escaped(result.text),
            testing::Escaped("Bericht\n"
                             "Umsatz je Region Vorl\xE4ufige Zahlen.:\n"
                             "Nord 120 \n"
                             "S\xFC"
                             "d 95 \n"
                             "Seite  PAGE 1 von NUMPAGES2\n"
                             "\n"));
  // The character style's \cs word is unknown and ends its entry early.
  EXPECT_EQ(result.messages,
            (Texts{"SSErr - missing style name", "SSErr - missing style number",
                   "SSErr - missing \"}\"", "SSErr - missing \"{\"",
                   "SSErr - missing style number"}));
}

TEST(ConvertRtfDocument, MacDocumentUsesLookAlikes) {
  RtfSession session;
  const Converted result = Convert(ReadDocument("mac_note.rtf"), session);
  EXPECT_EQ(testing::Escaped(result.text),
            testing::Escaped("\"CafX\" - (c) 2024 Beispiel(TM)\n"
                             "Preis: 5cents +/- 1...\n"
                             "GrXBe\n"
                             "o Punkt\n"));
  EXPECT_EQ(result.messages, Texts{});
  EXPECT_EQ(session.charset, RtfCharset::kMac);
}

// Source built from pieces that reach every corner of the reader: tables,
// destinations, escapes, broken words, braces and raw bytes.
std::string RandomRtf(std::mt19937& rng, std::size_t max_pieces) {
  static constexpr const char* kPieces[] = {
      "{",           "{",           "}",           "}",
      "\\",          "\\par ",      "\\par",       "\\b0",
      "\\b-",        "\\li-36",     "\\'e4",       "\\'",
      "\\'z",        "\\'0",        "\\'a9",       "\\'3b",
      "\\fonttbl",   "\\f0",        "\\f",         "\\froman",
      "\\fnil ",     "\\fcharset0", ";",           ";",
      "\\colortbl",  "\\red255",    "\\blue",      "\\stylesheet",
      "\\s1",        "\\s-2",       "\\sbasedon2", "\\snext3",
      "Normal",      "\\info",      "\\pict",      "\\annotation",
      "\\title",     "\\ftncn",     "\\rxe",       "\\footnote",
      "\\field",     "\\*",         "\\fldinst",   "\\mac",
      "\\ansi",      "\\pc",        "\\pca",       "\\~",
      "\\-",         "\\_",         "\\|",         "\\tab",
      "\t",          "\\cell",      "\\row",       "\\line",
      "\\\n",        "\\\r",        "\r\n",        "\\u8364",
      "\\uc1 ",      "\\{",         "\\}",         "\\\\",
      "\\:",         "\xA9",        "\xA2",        "\xE4",
      "a",           "b",           " ",           "x y",
      "12",          "-",           "\\Par",       "\\qc",
      "\\widctlpar", "\\99"};
  std::uniform_int_distribution<std::size_t> count(0, max_pieces);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::string source;
  for (std::size_t n = count(rng); n > 0; --n) source += kPieces[piece(rng)];
  return source;
}

TEST(ConvertRtfDocument, AgreesWithPlainReaderOnRandomSource) {
  std::mt19937 rng(1992);
  std::uniform_int_distribution<int> charset(0, 3);
  const int iterations = testing::DifferentialIterations(4000);
  for (int i = 0; i < iterations; ++i) {
    std::string source =
        i % 4 == 3 ? testing::RandomText(rng, 200) : RandomRtf(rng, 80);
    if (i % 4 == 3) {
      for (char& c : source) {
        if (c == '*') c = '\\';
      }
    }
    const int start = charset(rng);
    const reference::RtfConversion expected =
        reference::ConvertRtf(source, start);
    RtfSession session{static_cast<RtfCharset>(start)};
    const Converted actual = Convert(source, session);
    ASSERT_EQ(testing::Escaped(actual.text), testing::Escaped(expected.text))
        << testing::Escaped(source);
    ASSERT_EQ(actual.messages, expected.messages) << testing::Escaped(source);
    ASSERT_EQ(static_cast<int>(session.charset), expected.charset);
  }
}

TEST(ConvertRtfDocument, SurvivesHostileSource) {
  const std::string hostile[] = {
      std::string(1'000'000, '{') + "x" + std::string(1'000'000, '}'),
      "{\\info" + std::string(1'000'000, '{'),
      "\\" + std::string(10'000'000, 'b') + "1",
      "\\b" + std::string(10'000'000, '7') + "x",
      "{\\fonttbl" + std::string(100'000, ';'),
      "{\\stylesheet{\\s1" + std::string(100'000, 'a'),
      "{\\colortbl\\red1",
      "text\\",
      "\\'",
  };
  for (const std::string& source : hostile) {
    RtfSession session;
    const Converted actual = Convert(source, session);
    const reference::RtfConversion expected = reference::ConvertRtf(source, 0);
    EXPECT_EQ(actual.text, expected.text) << source.substr(0, 20);
    EXPECT_EQ(actual.messages, expected.messages) << source.substr(0, 20);
  }
}

}  // namespace
}  // namespace quor
