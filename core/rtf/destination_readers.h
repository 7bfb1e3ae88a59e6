#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "core/filters/messages.h"
#include "core/rtf/token_reader.h"

namespace quor {

inline constexpr std::string_view kCaptionRtfError = "RTF-Error";

struct FontEntry {
  int number = 0;
  int family = 0;  // fnil 0 ... ftech 6
  std::optional<std::string> name;
};

struct ColorEntry {
  std::int64_t index = 0;
  int red = -1;  // -1 where the entry does not set the component
  int green = -1;
  int blue = -1;
};

struct StyleAttribute {
  TokenClass token_class = TokenClass::kControl;
  int major = 0;
  int minor = 0;
  std::int32_t parameter = kNoParameter;
  std::optional<std::string> text;
};

struct StyleEntry {
  std::optional<std::string> name;
  int number = -1;
  int based_on = 222;
  int next = -1;
  std::deque<StyleAttribute> attributes;  // in reading order
};

// Consumes tokens up to and including the closing brace of the group in
// which the current token stands, or up to the end of the source.
void SkipCurrentGroup(RtfTokenReader& reader);

// Reads the destinations whose contents must never reach the text: font
// table, colour table (and annotation, which shares its code), stylesheet,
// document information and pictures. Malformed tables are reported under
// "RTF-Error" and reading goes on.
class RtfDestinationReaders {
 public:
  RtfDestinationReaders(RtfTokenReader& reader, Messages& messages)
      : reader_(reader), messages_(messages) {}

  // With a destination word of `code` as the current token: reads its
  // destination when it has a reader here and returns true, ending on the
  // group's closing brace or at the end of the source; false otherwise.
  bool ReadDestination(int code);

  // What the tables held, each list in reading order. Deques, so that a
  // huge table costs no more than its entries.
  const std::deque<FontEntry>& fonts() const { return fonts_; }
  const std::deque<ColorEntry>& colors() const { return colors_; }
  const std::deque<StyleEntry>& styles() const { return styles_; }

 private:
  void ReadFontTable();
  void ReadColorTable();
  void ReadStyleSheet();
  void AddAttribute(StyleEntry& style);

  // Reads the next token; false at the end of the source, where every
  // reader stops without a word.
  bool Next() { return reader_.NextToken() != TokenClass::kEnd; }
  const RtfToken& token() const { return reader_.token(); }
  void Report(std::string_view text) { messages_.Show(text, kCaptionRtfError); }

  RtfTokenReader& reader_;
  Messages& messages_;
  std::deque<FontEntry> fonts_;
  std::deque<ColorEntry> colors_;
  std::deque<StyleEntry> styles_;
};

}  // namespace quor
