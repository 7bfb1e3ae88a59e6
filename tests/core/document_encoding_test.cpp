#include "core/files/document_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "core/filters/cp1252_chars.h"
#include "random_text.h"
#include "test_support.h"

namespace quor {
namespace {

using DS = DecodeStatus;
using TE = TextEncoding;

struct DetectionCase {
  const char* name;
  std::string bytes;
  CharacterSet set;
  DecodeStatus status;
  TextEncoding encoding;
  std::optional<std::string> text;  // absent: the bytes stay as they are
};

void PrintTo(const DetectionCase& c, std::ostream* os) { *os << c.name; }

class Detection : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(Detection, GivesTheEncodingAndTheWindows1252Text) {
  const DetectionCase& c = GetParam();
  std::string bytes = c.bytes;
  const DecodedDocument decoded = DecodeDocument(bytes, c.set);
  EXPECT_EQ(decoded.status, c.status);
  EXPECT_EQ(decoded.encoding, c.encoding);
  EXPECT_EQ(testing::Escaped(bytes),
            testing::Escaped(c.text.value_or(c.bytes)));
}

using std::string_literals::operator""s;
constexpr auto kAuto = CharacterSet::kAuto;

INSTANTIATE_TEST_SUITE_P(
    Auto, Detection,
    ::testing::Values(
        DetectionCase{"Utf8Mark",
                      "\xEF\xBB\xBF"
                      "a\xC3\xA4",
                      kAuto, DS::kOk, TE::kUtf8Bom, "a\xE4"},
        DetectionCase{"Utf16Le", "\xFF\xFEH\0\xE4\0\xAC\x20"s, kAuto, DS::kOk,
                      TE::kUtf16Le, "H\xE4\x80"},
        DetectionCase{"Utf16Be", "\xFE\xFF\0H\0\xE4"s, kAuto, DS::kOk,
                      TE::kUtf16Be, "H\xE4"},
        // Characters Windows-1252 lacks: UTF-16 becomes UTF-8 bytes, since
        // its own bytes hold zeros.
        DetectionCase{"Utf16Emoji", "\xFF\xFEH\0\x3D\xD8\x00\xDE"s, kAuto,
                      DS::kOutsideCp1252, TE::kCp1252, "H\xF0\x9F\x98\x80"},
        DetectionCase{"Utf16C1InAWord",
                      "\xFF\xFE"
                      "a\0b\0\x80\0c\0d\0"s,
                      kAuto, DS::kOutsideCp1252, TE::kCp1252,
                      "ab\xC2\x80"
                      "cd"},
        DetectionCase{"Utf16UnassignedInAWord",
                      "\xFE\xFF\0a\0\x81\0\xFF\0\x9D"s, kAuto, DS::kOk,
                      TE::kUtf16Be, "a\x81\xFF\x9D"},
        DetectionCase{"Utf16ZeroChar", "\xFF\xFEH\0\0\0"s, kAuto,
                      DS::kHoldsZero, TE::kUtf16Le, std::nullopt},
        DetectionCase{"Utf16OddLengthWithZero", "\xFF\xFEH\0a"s, kAuto,
                      DS::kHoldsZero, TE::kCp1252, std::nullopt},
        DetectionCase{"Utf16LoneSurrogateIsBytes", "\xFF\xFE\x3D\xD8", kAuto,
                      DS::kOk, TE::kCp1252, std::nullopt},
        // Each alone in valid text: the random bytes below seldom hold one
        // bad sequence without others.
        DetectionCase{"Overlong2", "a\xC0\xAF", kAuto, DS::kOk, TE::kCp1252,
                      std::nullopt},
        DetectionCase{"Overlong3", "a\xE0\x80\xAF", kAuto, DS::kOk, TE::kCp1252,
                      std::nullopt},
        DetectionCase{"Overlong4", "a\xF0\x8F\xBF\xBF", kAuto, DS::kOk,
                      TE::kCp1252, std::nullopt},
        DetectionCase{"Surrogate", "a\xED\xA0\x80", kAuto, DS::kOk, TE::kCp1252,
                      std::nullopt},
        DetectionCase{"BeyondUnicode", "a\xF4\x90\x80\x80", kAuto, DS::kOk,
                      TE::kCp1252, std::nullopt},
        DetectionCase{"Truncated", "\xC3\xA4\xE2\x82", kAuto, DS::kOk,
                      TE::kCp1252, std::nullopt},
        DetectionCase{"MarkThenNotUtf8", "\xEF\xBB\xBF\xE4", kAuto, DS::kOk,
                      TE::kCp1252, std::nullopt},
        DetectionCase{"MarkThenEmoji", "\xEF\xBB\xBF\xF0\x9F\x98\x80", kAuto,
                      DS::kOutsideCp1252, TE::kCp1252, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    ChosenSet, Detection,
    ::testing::Values(
        DetectionCase{"AnsiKeepsUtf8", "Gr\xC3\xB6", CharacterSet::kAnsi,
                      DS::kOk, TE::kCp1252, std::nullopt},
        DetectionCase{"AnsiKeepsUtf16", "\xFF\xFEH\0"s, CharacterSet::kAnsi,
                      DS::kOk, TE::kCp1252, std::nullopt},
        DetectionCase{"Utf8RefusesBytes", "Gr\xF6", CharacterSet::kUtf8,
                      DS::kNotUtf8, TE::kCp1252, std::nullopt},
        DetectionCase{"Utf8TakesAscii", "abc", CharacterSet::kUtf8, DS::kOk,
                      TE::kUtf8, std::nullopt},
        DetectionCase{"Utf8KeepsItsMark",
                      "\xEF\xBB\xBF"
                      "a",
                      CharacterSet::kUtf8, DS::kOk, TE::kUtf8Bom, "a"},
        DetectionCase{"Utf8ReadsNoUtf16", "\xFF\xFEH\0"s, CharacterSet::kUtf8,
                      DS::kNotUtf8, TE::kCp1252, std::nullopt}));

TEST(CharacterSetSetting, MatchesInAnyCaseAndFallsBackToAuto) {
  EXPECT_EQ(ParseCharacterSet("ansi"), CharacterSet::kAnsi);
  EXPECT_EQ(ParseCharacterSet("Utf-8"), CharacterSet::kUtf8);
  for (const char* value : {"Auto", "", "UTF8", "utf-16", "ANSI "}) {
    EXPECT_EQ(ParseCharacterSet(value), CharacterSet::kAuto) << value;
  }
}

// Every Windows-1252 text comes back from each Unicode encoding unchanged.
TEST(EncodingRoundTrip, EveryTextComesBackFromEveryEncoding) {
  std::mt19937 rng(12);
  std::vector<std::string> texts = {testing::AllNonZeroBytes(), ""};
  for (int i = 0; i < testing::DifferentialIterations(300); ++i) {
    texts.push_back(testing::RandomText(rng, 200));
  }
  for (const std::string& text : texts) {
    const bool ascii = std::ranges::all_of(
        text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    for (const TextEncoding encoding :
         {TE::kUtf8, TE::kUtf8Bom, TE::kUtf16Le, TE::kUtf16Be}) {
      std::string bytes = EncodeDocument(text, encoding);
      const DecodedDocument decoded = DecodeDocument(bytes, kAuto);
      ASSERT_EQ(decoded.status, DS::kOk) << testing::Escaped(text);
      EXPECT_EQ(decoded.encoding,
                encoding == TE::kUtf8 && ascii ? TE::kCp1252 : encoding);
      ASSERT_EQ(bytes, text) << testing::Escaped(text);
    }
  }
}

// A transcription of UTF-8's definition, one character at a time: the
// shortest form of a scalar value up to U+10FFFF.
std::optional<std::u32string> ReferenceUtf8(std::string_view bytes) {
  std::u32string chars;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC0 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF8 ? 4
                                             : 0;
    if (length == 0 || i + length > bytes.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(bytes[i + k]);
      if ((byte & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (byte & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
      return std::nullopt;
    }
    chars += c;
    i += length;
  }
  return chars;
}

// Random bytes from whole sequences of every length and near every
// boundary: only characters Windows-1252 has, or also others, or also loose
// lead and continuation bytes.
std::string RandomUtf8Like(std::mt19937& rng) {
  static const char* const kPieces[] = {
      // Windows-1252 characters.
      "a", " ", "\n", "\xC3\xA4", "\xC2\x81", "\xC5\xA0", "\xCB\x9C",
      "\xE2\x82\xAC", "\xE2\x80\x9E", "\xE2\x84\xA2",
      // Other characters.
      "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
      "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF",
      // Bytes that are no character.
      "\xC0", "\xC1", "\xE0\x9F", "\xED\xA0", "\xF0\x8F", "\xF4\x90", "\xF5",
      "\xFF", "\x80", "\xBF", "\xE4", "\xC3", "\xE2\x82", "\xF0\x9F\x98"};
  constexpr std::size_t kGroupEnds[] = {10, 18, std::size(kPieces)};
  std::uniform_int_distribution<std::size_t> group(0, 2);
  std::uniform_int_distribution<std::size_t> piece(0,
                                                   kGroupEnds[group(rng)] - 1);
  std::uniform_int_distribution<std::size_t> length(0, 120);
  std::string bytes;
  for (std::size_t n = length(rng); n > 0; --n) bytes += kPieces[piece(rng)];
  return bytes;
}

TEST(Utf8Differential, DetectionAndConversionMatchTheDefinition) {
  std::mt19937 rng(7);
  for (int i = 0; i < testing::DifferentialIterations(20000); ++i) {
    std::string bytes = RandomUtf8Like(rng);
    const std::string original = bytes;
    const DecodedDocument decoded = DecodeDocument(bytes, kAuto);
    const std::optional<std::u32string> chars = ReferenceUtf8(original);
    std::string expected = original;
    DecodeStatus status = DS::kOk;
    TextEncoding encoding = TE::kCp1252;
    if (chars && chars->size() != original.size()) {
      std::string text;
      for (const char32_t c : *chars) {
        if (Cp1252ByteOf(c) < 0) status = DS::kOutsideCp1252;
        text += static_cast<char>(Cp1252ByteOf(c));
      }
      if (status == DS::kOk) {
        expected = text;
        encoding = TE::kUtf8;
      }
    }
    ASSERT_EQ(decoded.status, status) << testing::Escaped(original);
    ASSERT_EQ(decoded.encoding, encoding) << testing::Escaped(original);
    ASSERT_EQ(bytes, expected) << testing::Escaped(original);
  }
}

}  // namespace
}  // namespace quor
