#include "core/filters/wrap_words.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor {
namespace {

// Carries a paragraph break (CR LF CR LF) through the normalisation; a pair
// already in the text counts as a paragraph break as well.
constexpr char kMarkerByte = '\x01';

constexpr bool IsPlain(char c) { return static_cast<unsigned char>(c) > 0x20; }

// Copies the bytes above 0x20 from `read` on to `write` (never ahead of it)
// and moves both past them.
void CopyPlainRun(const char*& read, char*& write, const char* end) {
#if defined(__SSE2__)
  // Sixteen bytes at a time, as long as a full store cannot reach bytes not
  // yet read: either nothing has been dropped so far, or at least sixteen.
  const bool in_place = read == write;
  if (in_place || read - write >= 16) {
    const __m128i blank = _mm_set1_epi8(0x20);
    while (end - read >= 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(read));
      const int low =
          _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, blank), v));
      if (!in_place) _mm_storeu_si128(reinterpret_cast<__m128i*>(write), v);
      if (low != 0) {
        const int run = std::countr_zero(static_cast<unsigned>(low));
        read += run;
        write += run;
        return;
      }
      read += 16;
      write += 16;
    }
  }
#endif
  while (read != end && IsPlain(*read)) *write++ = *read++;
}

// The normalisation before the cutting, in one sweep in place: CR LF CR LF
// becomes the marker pair, every other CR and LF a blank; runs of blanks and
// tabs then collapse to one blank, which goes entirely at the start of the
// text and after a control byte (the marker included); finally each marker
// pair, left to right, becomes CR LF. No stage lengthens what it has read so
// far, so the sweep writes behind its read position.
void Normalize(std::string& text) {
  char* const begin = text.data();
  const char* read = begin;
  const char* const end = begin + text.size();
  char* write = begin;

  // Blank collapsing: whether a blank run is going on, and whether the last
  // byte it let through is 0x20 or above (nothing let through counts as not).
  bool in_blank_run = false;
  bool last_printable = false;
  // Marker pairing: a marker byte let through that waits for its partner.
  bool marker_waiting = false;

  const auto pass_control = [&](char c) {
    in_blank_run = false;
    last_printable = false;
    if (c == kMarkerByte) {
      if (marker_waiting) {
        *write++ = '\r';
        *write++ = '\n';
      }
      marker_waiting = !marker_waiting;
      return;
    }
    if (marker_waiting) *write++ = kMarkerByte;
    marker_waiting = false;
    *write++ = c;
  };

  while (read < end) {
    const auto c = static_cast<unsigned char>(*read);
    if (IsPlain(*read)) {
      if (marker_waiting) *write++ = kMarkerByte;
      marker_waiting = false;
      in_blank_run = false;
      last_printable = true;
      CopyPlainRun(read, write, end);
      continue;
    }
    if (c == '\r' && end - read >= 4 && read[1] == '\n' && read[2] == '\r' &&
        read[3] == '\n') {
      pass_control(kMarkerByte);
      pass_control(kMarkerByte);
      read += 4;
      continue;
    }
    ++read;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      // A waiting marker byte is never printable, so none waits here.
      if (!in_blank_run && last_printable) *write++ = ' ';
      in_blank_run = true;
      continue;
    }
    pass_control(static_cast<char>(c));
  }
  if (marker_waiting) *write++ = kMarkerByte;
  text.resize(static_cast<std::size_t>(write - begin));
}

constexpr bool IsCutByte(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// Position of the first CR LF at or after `from`, or `text.size()`.
std::size_t FindCrLf(std::string_view text, std::size_t from) {
  const char* const end = text.data() + text.size();
  const char* p = text.data() + from;
  while (p < end) {
    p = static_cast<const char*>(
        std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
    if (p == nullptr) break;
    if (p + 1 < end && p[1] == '\n')
      return static_cast<std::size_t>(p - text.data());
    ++p;
  }
  return text.size();
}

// Calls on_line(start, size, ends_with_break) for each piece of the wrapped
// text, in order. Each line is cut at the last blank, CR or LF at offsets 1
// to `width` (the byte at offset `width` is the first that no longer fits),
// or earlier right after a CR LF; the blank at a cut is dropped. Both
// searches only move forward over the text, remembering what they found, so
// the whole run is linear however the lines fall.
template <typename OnLine>
void CutLines(std::string_view text, std::size_t width, OnLine on_line) {
  const std::size_t size = text.size();
  std::size_t start = 0;
  // Every position below `looked_to` has been looked at for a cut byte;
  // `last_cut_end` is one past the last one found there (0: none yet).
  std::size_t looked_to = 0;
  std::size_t last_cut_end = 0;
  std::size_t next_crlf = FindCrLf(text, 0);
  while (start < size) {
    if (size - start <= width) {
      on_line(start, size - start, false);
      return;
    }
    const std::size_t reach = start + width;  // below `size`
    if (looked_to <= reach) {
      for (std::size_t p = reach + 1; p > looked_to; --p) {
        if (IsCutByte(text[p - 1])) {
          last_cut_end = p;
          break;
        }
      }
      looked_to = reach + 1;
    }
    std::size_t length;
    if (last_cut_end > start + 1) {
      length = last_cut_end - 1 - start;
    } else {
      // A word longer than the line: keep it whole up to the next cut byte.
      std::size_t p = reach + 1;
      while (p < size && !IsCutByte(text[p])) ++p;
      length = p - start;
      looked_to = p + 1;
      if (p < size) last_cut_end = p + 1;
    }
    if (next_crlf < start) next_crlf = FindCrLf(text, start);
    if (next_crlf < start + length) length = next_crlf - start + 2;
    on_line(start, length, true);
    start += length;
    if (start < size && text[start] == ' ') ++start;
  }
}

// CR LF CR LF CR LF becomes CR LF CR LF, left to right without overlap, in
// place.
void CollapseTripleBreaks(std::string& text) {
  static constexpr std::string_view kTriple = "\r\n\r\n\r\n";
  std::size_t hit = text.find(kTriple);
  if (hit == std::string::npos) return;
  char* const data = text.data();
  std::size_t read = hit;
  std::size_t write = hit;
  while (hit != std::string::npos) {
    // The bytes up to the match and its first two line breaks stay.
    std::memmove(data + write, data + read, hit - read + 4);
    write += hit - read + 4;
    read = hit + kTriple.size();
    hit = text.find(kTriple, read);
  }
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

}  // namespace

void WrapWords(TextDocument& document, std::int32_t width, Messages& messages) {
  if (!document.text) return;
  std::string& text = *document.text;
  Normalize(text);
  const std::size_t line_width =
      width < 1 ? 1 : static_cast<std::size_t>(width);
  if (text.size() > line_width) {
    std::size_t wrapped_size = 0;
    CutLines(text, line_width,
             [&](std::size_t, std::size_t length, bool ends_with_break) {
               wrapped_size += length + (ends_with_break ? 2 : 0);
             });
    std::string wrapped;
    if (!ReportingLackOfMemory(messages,
                               [&] { wrapped.resize(wrapped_size); })) {
      return;
    }
    char* out = wrapped.data();
    CutLines(text, line_width,
             [&](std::size_t start, std::size_t length, bool ends_with_break) {
               std::memcpy(out, text.data() + start, length);
               out += length;
               if (ends_with_break) {
                 *out++ = '\r';
                 *out++ = '\n';
               }
             });
    text.swap(wrapped);
  }
  CollapseTripleBreaks(text);
}

}  // namespace quor
