#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quor {

enum class TokenClass : int {
  kUnrecognised = 0,
  kGroup = 1,
  kText = 2,
  kControl = 3,
  kEnd = 4,
};

inline constexpr std::int32_t kNoParameter = -1000000;
inline constexpr std::size_t kMaxTokenText = 1023;

// Group tokens carry one of these as their major.
inline constexpr int kOpeningBrace = 0;
inline constexpr int kClosingBrace = 1;

struct RtfToken {
  TokenClass token_class = TokenClass::kUnrecognised;
  // Group tokens and text tokens set only major, recognised control words
  // both; every other token leaves the values of earlier tokens in place.
  int major = 0;  // brace, character code or group of the control word
  int minor = 0;  // code of the control word
  std::int32_t parameter = kNoParameter;
  // The token's bytes as read (delimiter excluded), at most kMaxTokenText.
  std::string_view text;

  bool Is(TokenClass c, int major_value) const {
    return token_class == c && major == major_value;
  }
  bool IsControl(int group, int code) const {
    return Is(TokenClass::kControl, group) && minor == code;
  }
  bool IsOpeningBrace() const { return Is(TokenClass::kGroup, kOpeningBrace); }
  bool IsClosingBrace() const { return Is(TokenClass::kGroup, kClosingBrace); }
};

// Value of one character of a hex escape. Nothing checks that it is a hex
// digit: 'z' gives 35 and a blank -55, as old documents expect.
constexpr int HexDigitValue(unsigned char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + ('a' - 'A'));
  if (c >= '0' && c <= '9') return c - '0';
  return c - 87;
}

// Cuts RTF source into tokens. The source ends at its end or at its first
// zero byte; nothing is ever read beyond that, and at the end every read
// gives an end token. A control word's delimiter is a blank, which the word
// takes, or any other byte, which is left for the next token. The source
// must outlive the reader: token texts point into it.
class RtfTokenReader {
 public:
  explicit RtfTokenReader(std::string_view source);

  // Reads tokens until one is not a line feed or carriage return character
  // and returns its class: the source's own line breaks mean nothing.
  TokenClass NextToken();

  const RtfToken& token() const { return token_; }

  // Takes the longest run of bytes at the cursor that would each be a text
  // token that NextToken returns (everything but braces, backslash, TAB, CR,
  // LF). Lets the callers treat a run of plain text at once.
  std::string_view TakePlainText();

 private:
  int ReadByte() {
    return pos_ < source_.size() ? static_cast<unsigned char>(source_[pos_++])
                                 : 0;
  }
  void ScanToken();
  // Both return where the token's text ends.
  std::size_t ScanBackslash();
  std::size_t ScanControlWord();
  void Lookup(std::string_view name);

  std::string_view source_;
  std::size_t pos_ = 0;
  RtfToken token_;
};

}  // namespace quor
