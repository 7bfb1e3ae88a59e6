#include "core/rtf/modern_rtf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace quor {
namespace {

struct Converted {
  std::string text;
  std::vector<std::string> messages;
};

Converted Convert(std::string source) {
  testing::RecordingMessages log;
  TextDocument document{std::move(source)};
  ConvertRtfModern(document, log);
  Converted result{*document.text, {}};
  for (const auto& [caption, text] : log.shown) {
    EXPECT_EQ(caption, "RTF-Error");
    result.messages.push_back(text);
  }
  return result;
}

struct Row {
  const char* source;
  const char* text;
};

// Sources without damage: the text, and no message.
TEST(ConvertRtfModern, ReadsTheTextOfSoundSources) {
  const Row rows[] = {
      // Destinations that are not text are skipped.
      {"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times{\\*\\falt T};}}A}",
       "A"},
      {"{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}A}", "A"},
      {"{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}A}", "A"},
      {"{\\rtf1{\\info{\\title T}{\\author W}{\\operator O}}A}", "A"},
      {"{\\rtf1{\\pict\\pngblip 89504e47}A}", "A"},
      {"{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01\\u-3913 "
       "?;}}}}A}",
       "A"},
      {"{\\rtf1{\\*\\listoverridetable{\\listoverride\\ls1}}A}", "A"},
      {"{\\rtf1{\\*\\generator LibreOffice/7;}A}", "A"},
      {"{\\rtf1{\\*\\themedata 504b0304}{\\*\\colorschememapping 3c3f}A}", "A"},
      {"{\\rtf1{\\*\\datastore 0105}{\\*\\latentstyles\\lsdstimax376{\\lsdlocke"
       "dexcept Normal;}}A}",
       "A"},
      {"{\\rtf1{\\*\\rsidtbl \\rsid123}{\\*\\xmlnstbl{\\xmlns1 http://x}}A}",
       "A"},
      {"{\\rtf1{\\*\\pgdsctbl{\\pgdsc0 Standard;}}A}", "A"},
      {"{\\rtf1{\\header H}{\\headerl H}{\\footer F}{\\footerr F}A}", "A"},
      // A footnote leaves its number where it stands, as a word processor's
      // text export does.
      {"{\\rtf1 A{\\super\\chftn}{\\*\\footnote\\chftn N} B{\\super\\chftn}"
       "{\\footnote M}}",
       "A1 B2"},
      // A destination this reader does not know is skipped when marked.
      {"{\\rtf1{\\*\\unknowndest text{inner}}A}", "A"},
      // A destination word in the middle of a group ends its text there.
      {"{a\\pict b}c", "ac"},
      // Braces escaped or inside binary data do not end a skipped group.
      {"{\\rtf1{\\*\\bkmkstart a\\}b{c}}A}", "A"},
      {"{\\rtf1{\\pict\\bin3 }}{}A}", "A"},
      // The numbers a word processor shows before a list item stay.
      {"{\\rtf1{\\listtext 1.\\tab}Item}", "1.\tItem"},
      // \upr carries a fallback and the Unicode text in \ud.
      {"{\\rtf1{\\upr{ansi}{\\*\\ud{uni}}}}", "uni"},
      // Fields show their result.
      {"{\\field{\\*\\fldinst HYPERLINK \"file:///x\"}{\\fldrslt Link}}",
       "Link"},
      {"{\\field{\\*\\fldinst{HYPERLINK \"https://a\"}}{\\fldrslt{\\ul\nLink"
       "\n}}}",
       "Link"},
      {"{\\field{\\*\\fldinst PAGE}}", ""},
      {"{\\field{\\fldinst TOC \\\\o}{\\fldrslt }}x", "x"},
      {"Dear {\\field{\\*\\fldinst MACROBUTTON  None Title}},", "Dear Title,"},
      {"{\\field{\\*\\fldinst{macrobutton x }{Your name }}}", "Your name"},
      {"{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt \\u8364?}}", "\x80"},
      // A result outside a field is text too.
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\field{\\*\\fldinst "
       "MACROBUTTON m Name}}\\pard Hallo \\'e4 \\u20013?{\\fldrslt L}\\par}",
       "NameHallo \xE4 &#20013;L\r\n"},
      // Unicode escapes skip their fallback.
      {"\\u252?berall",
       "\xFC"
       "berall"},
      {"\\uc2\\u8364\\'80\\'80 Euro", "\x80 Euro"},
      {"\\uc0\\u8364 x", "\x80x"},
      {"\\u-3913?", "&#61623;"},
      {"\\u20013?\\u25991?", "&#20013;&#25991;"},
      {"\\u8212\\emdash x", "\x97x"},
      {"{\\uc2\\u252 ab}\\u252 cd",
       "\xFC\xFC"
       "d"},
      {"\\u252{x}", "\xFCx"},
      {"\\u-10179?\\u-8704?", "&#128512;"},
      {"\\u-10179?x", "&#65533;x"},
      {"\\u0?a\\'00b", "ab"},
      {"\\u99999999?", "&#65533;"},
      // Code pages map through Unicode.
      {"\\ansi\\'e4\\'80", "\xE4\x80"},
      {"\\ansi\\ansicpg1250\\'9a\\'b9", "\x9A&#261;"},
      {"\\ansicpg1251\\'e0", "&#1072;"},
      {"\\ansicpg1253\\'e1", "&#945;"},
      {"\\ansicpg1254\\'fd", "&#305;"},
      {"\\ansicpg1255\\'e0", "&#1488;"},
      {"\\ansicpg1256\\'c7", "&#1575;"},
      {"\\ansicpg1257\\'e0", "&#261;"},
      {"\\ansicpg1258\\'de", "&#771;"},
      {"\\ansicpg437\\'81", "\xFC"},
      {"\\ansicpg850\\'9b", "\xF8"},
      {"\\ansicpg10000\\'8a", "\xE4"},
      {"\\mac\\'8a", "\xE4"},
      {"\\pc\\'81", "\xFC"},
      {"\\pca\\'9b", "\xF8"},
      {"\\ansicpg1251 \xE0", "&#1072;"},
      // A page of several bytes per character leaves Windows-1252.
      {"\\ansicpg932\\'e4", "\xE4"},
      // Control symbols and words.
      {"a\\~b",
       "a\xA0"
       "b"},
      {"a\\_b", "a-b"},
      {"Silben\\-trennung", "Silbentrennung"},
      {"\\{\\}\\\\", "{}\\"},
      {"\\emdash\\endash", "\x97\x96"},
      {"\\lquote\\rquote\\ldblquote\\rdblquote", "\x91\x92\x93\x94"},
      {"\\bullet\\enspace", "\x95 "},
      {"\\b fett\\b0  \\i0\\fs24 x", "fett x"},
      {"\\'4x", "4x"},
      // Lines and tabs.
      {"a\\par b\\line c", "a\r\nb\r\nc"},
      {"a\\tab b", "a\tb"},
      {"a\\cell b\\cell\\row c", "a\tb\t\r\nc"},
      {"a\\\nb\\\rc", "a\r\nb\r\nc"},
      {"a\r\nb\nc\rd", "abcd"},
  };
  for (const Row& row : rows) {
    const Converted converted = Convert(row.source);
    EXPECT_EQ(converted.text, row.text) << row.source;
    EXPECT_TRUE(converted.messages.empty()) << row.source;
  }
}

TEST(ConvertRtfModern, ReportsOnlyRealDamageOncePerKind) {
  const std::string unbalanced(kRtfGroupsUnbalanced);
  const std::string incomplete(kRtfFileIncomplete);
  using std::literals::operator""s;
  const struct {
    std::string source;
    const char* text;
    std::vector<std::string> messages;
  } cases[] = {
      {"{\\rtf1{\\*\\weird x}\\madeup12 A\\par}", "A\r\n", {}},
      // No zero byte gets out.
      {"{\\rtf1 a\0b\\'00\\u0?c\\bin2 \0\0d}"s, "abcd", {}},
      {"{\\rtf1 A}}}}", "A", {unbalanced}},
      {"{\\rtf1{\\b A", "A", {incomplete}},
      {"{\\rtf1 A\\bin999999 xyz}", "A", {incomplete}},
      {"{\\rtf1{\\pict\\bin99 ab}", "", {incomplete}},
      {"A\\", "A", {incomplete}},
      {"A\\'4", "A4", {incomplete}},
      {"}}A{", "A", {unbalanced, incomplete}},
  };
  for (const auto& c : cases) {
    const Converted converted = Convert(c.source);
    EXPECT_EQ(converted.text, c.text) << testing::Escaped(c.source);
    EXPECT_EQ(converted.messages, c.messages) << testing::Escaped(c.source);
  }
}

TEST(ConvertRtfModern, HostileInputStaysLinear) {
  constexpr std::size_t kDepth = 100000;
  std::string deep = std::string(kDepth, '{') + "x" + std::string(kDepth, '}');
  EXPECT_EQ(Convert(deep).text, "x");
  std::string alternating;
  for (std::size_t i = 0; i < kDepth; ++i) {
    alternating += i % 2 ? "{\\uc1 " : "{\\uc2 ";
  }
  EXPECT_EQ(Convert(alternating + "y").text, "y");
  EXPECT_EQ(Convert(std::string(kDepth, '}')).messages.size(), 1U);
  const std::string long_word = "\\" + std::string(kDepth, 'a') + " z";
  EXPECT_EQ(Convert(long_word).text, "z");
  const std::string long_number = "\\u" + std::string(kDepth, '9') + " ?";
  EXPECT_EQ(Convert(long_number).text, "&#65533;");
  EXPECT_EQ(Convert("{\\*\\fldinst " + std::string(kDepth, 'i') + "}").text,
            "");
}

}  // namespace
}  // namespace quor
