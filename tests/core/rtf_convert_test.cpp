#include "core/rtf/convert_rtf.h"

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

// Words and bytes that the random source below seldom or never holds.
TEST(ConvertRtfDocument, KeepsBodyTextOnly) {
  const struct {
    const char* source;
    const char* text;
  } cases[] = {
      {"{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Arial;}\\f0\\pard "
       "Hello {\\b bold} world.\\par}",
       "Hello bold world.\n"},
      {"a\\cell b\\row c\\page d\\sect e\\\nf\tg", "a b\nc\nd\ne\nf\tg"},
      // A skipped group ends at its own closing brace, not at an escaped one.
      {"{\\info{\\title T{\\x}}{\\author A}\\'7d}Text", "Text"},
      {"{\\pict\\wmetafile8 0a0b\r\n0c{}}Text", "Text"},
      {"{\\footnote N}{\\header H}{\\footerl F}{\\xe X}{\\bkmkstart B}",
       "NHFXB"},
      {"{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}", "PAGE1"},
      // Summary fields, continuation marks and revised entries are skipped
      // wherever they stand.
      {"a{\\title T{x}}{\\subject s}{\\author a}{\\operator o}{\\keywords k}"
       "b{\\comment c}{\\version v}{\\ftnsepc c}{\\ftncn n}{\\rxe r}"
       "{\\doccomm d}e",
       "abe"},
      {"{\\*\\generator Writer 2.0;}x", "Writer 2.0;x"},
      {"\\chpgn\\chftn\\|\\*\\column\\id5x", "x"},
      {"{\\v hidden}\\b0\\fs20 \\qc\\trowd\\posx y", "hiddeny"},
      {"\\'00\\'zz\\' x\\'0dy\\'0az", "yz"},
      {"\\u8364\\'80 \\u945?", "\x80 ?"},
      // Character sets map the codes from 128.
      {"\\mac \\'a9\\'d2x\\'d3\\'8a\\'ca!\\'ff", "(c)\"x\"X !X"},
      {"\\mac\xA5\xA9\xD0", "o(c)-"},
      {"\\pc \\'e4\xFCx", "XXx"},
      {"\\pca \\'84", "X"},
      // A character-set word in a skipped group does not count.
      {"{\\info\\mac}\\'a9", "\xA9"},
      // No more is written than the document's length: six source bytes
      // give room for seven, and "cents" twice is cut there.
      {"\\mac\xA2\xA2", "centsce"},
      {"\\mac\xA2\xA2\xA2\xA2\xA2", "centscents"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(testing::Escaped(Convert(c.source)), testing::Escaped(c.text))
        << c.source;
  }
}

std::string ReadDocument(const char* name) {
  const auto path = std::filesystem::path(QUOR_TEST_DATA) / "rtf" / name;
  std::string bytes = testing::ReadFile(path.string());
  EXPECT_FALSE(bytes.empty()) << path;
  return bytes;
}

// Documents of other writers, converted as the transcription converts
// them; one line of each shows that this is the text a reader wants.
TEST(ConvertRtfDocument, DocumentsOfOtherWriters) {
  const struct {
    const char* file;
    const char* line;
    std::size_t messages;
    RtfCharset charset;
  } documents[] = {
      // Unicode escapes give way to their fallbacks. The charset words end
      // each font name: both entries cost five messages.
      {"letter_ansi.rtf", "Preis: 12\x80\tnetto\nWinkel ?, Mit", 10,
       RtfCharset::kAnsi},
      // Tables, a footnote, fields and a picture. The character style's \cs
      // word is unknown and ends its entry early.
      {"report_tables.rtf",
       "Nord 120 \nS\xFC"
       "d 95 \nSeite  PAGE 1 von NUMPAGES2\n",
       5, RtfCharset::kAnsi},
      // Look-alikes for the Macintosh characters.
      {"mac_note.rtf", "\"CafX\" - (c) 2024 Beispiel(TM)\n", 0,
       RtfCharset::kMac},
  };
  for (const auto& d : documents) {
    SCOPED_TRACE(d.file);
    const std::string source = ReadDocument(d.file);
    const reference::RtfConversion expected = reference::ConvertRtf(source, 0);
    RtfSession session;
    const Converted actual = Convert(source, session);
    EXPECT_EQ(testing::Escaped(actual.text), testing::Escaped(expected.text));
    EXPECT_NE(actual.text.find(d.line), std::string::npos);
    EXPECT_EQ(actual.messages, expected.messages);
    EXPECT_EQ(actual.messages.size(), d.messages);
    EXPECT_EQ(session.charset, d.charset);
  }
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
      std::string(100'000, '{') + "\\pict" + std::string(100'000, '{'),
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
