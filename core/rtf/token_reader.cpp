#include "core/rtf/token_reader.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/rtf/control_words.h"

namespace quor {
namespace {

bool IsAsciiLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(int c) { return c >= '0' && c <= '9'; }

constexpr std::array<bool, 256> kPlainText = [] {
  std::array<bool, 256> plain{};
  plain.fill(true);
  for (const char c : {'\t', '\n', '\r', '{', '}', '\\'}) {
    plain[static_cast<unsigned char>(c)] = false;
  }
  return plain;
}();

// The first byte in [p, end) that is not plain text, or `end`.
const char* SkipPlainText(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i open = _mm_set1_epi8('{');
  const __m128i close = _mm_set1_epi8('}');
  const __m128i backslash = _mm_set1_epi8('\\');
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits = _mm_or_si128(
        _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, lf)),
            _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, open))),
        _mm_or_si128(_mm_cmpeq_epi8(v, close), _mm_cmpeq_epi8(v, backslash)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p < end && kPlainText[static_cast<unsigned char>(*p)]) ++p;
  return p;
}

}  // namespace

RtfTokenReader::RtfTokenReader(std::string_view source)
    : source_(source.substr(0, std::min(source.size(), source.find('\0')))) {}

TokenClass RtfTokenReader::NextToken() {
  do {
    ScanToken();
  } while (token_.token_class == TokenClass::kText &&
           (token_.major == '\n' || token_.major == '\r'));
  return token_.token_class;
}

std::string_view RtfTokenReader::TakePlainText() {
  const char* const begin = source_.data() + pos_;
  const char* const stop =
      SkipPlainText(begin, source_.data() + source_.size());
  pos_ += static_cast<std::size_t>(stop - begin);
  return {begin, static_cast<std::size_t>(stop - begin)};
}

void RtfTokenReader::ScanToken() {
  token_.token_class = TokenClass::kUnrecognised;
  token_.parameter = kNoParameter;
  const std::size_t start = pos_;
  std::size_t end = 0;
  const int c = ReadByte();
  switch (c) {
    case '\0':
      token_.token_class = TokenClass::kEnd;
      token_.text = {};
      return;
    case '{':
    case '}':
      token_.token_class = TokenClass::kGroup;
      token_.major = c == '{' ? kOpeningBrace : kClosingBrace;
      break;
    case '\t':
      token_.token_class = TokenClass::kControl;
      token_.major = kRtfSpecialChar;
      token_.minor = kRtfTab;
      break;
    case '\\':
      end = ScanBackslash();
      token_.text = {source_.data() + start,
                     std::min(end - start, kMaxTokenText)};
      return;
    default:
      token_.token_class = TokenClass::kText;
      token_.major = c;
      break;
  }
  token_.text = {source_.data() + start, pos_ - start};
}

std::size_t RtfTokenReader::ScanBackslash() {
  const int x = ReadByte();
  if (IsAsciiLetter(x)) return ScanControlWord();
  switch (x) {
    case '\0':
      break;
    case '\'': {
      const int high = ReadByte();
      const int low = ReadByte();
      if (high != '\0' && low != '\0') {
        token_.token_class = TokenClass::kText;
        token_.major = 16 * HexDigitValue(static_cast<unsigned char>(high)) +
                       HexDigitValue(static_cast<unsigned char>(low));
      }
      break;
    }
    case ':':
    case '{':
    case '}':
    case '\\':
      token_.token_class = TokenClass::kText;
      token_.major = x;
      break;
    default:
      Lookup(source_.substr(pos_ - 1, 1));
      break;
  }
  return pos_;
}

std::size_t RtfTokenReader::ScanControlWord() {
  const std::size_t name_start = pos_ - 1;
  int c = ReadByte();
  while (IsAsciiLetter(c)) c = ReadByte();
  // At the end of the source the cursor stays where it is.
  const std::size_t name_end = c != '\0' ? pos_ - 1 : pos_;
  Lookup(source_.substr(name_start, name_end - name_start));

  // Any number of digits is read; the value wraps modulo 2^32 rather than
  // fail. A "-" without a digit is dropped.
  std::uint32_t sign = 1;
  if (c == '-') {
    sign = ~std::uint32_t{0};
    c = ReadByte();
  }
  if (IsAsciiDigit(c)) {
    std::uint32_t value = 0;
    while (IsAsciiDigit(c)) {
      value = value * 10 + static_cast<std::uint32_t>(c - '0');
      c = ReadByte();
    }
    token_.parameter = static_cast<std::int32_t>(value * sign);
  }

  // A blank delimiter belongs to the word. Any other delimiter is left
  // unread: it is the first byte of the next token.
  if (c == ' ') return pos_ - 1;
  if (c != '\0') --pos_;
  return pos_;
}

void RtfTokenReader::Lookup(std::string_view name) {
  const ControlWordEntry* entry = FindControlWord(name);
  if (entry == nullptr) {
    token_.token_class = TokenClass::kUnrecognised;
    return;
  }
  token_.token_class = TokenClass::kControl;
  token_.major = entry->major;
  token_.minor = entry->minor;
}

}  // namespace quor
