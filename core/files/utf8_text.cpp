#include "core/files/utf8_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/files/utf8_blocks.h"
#include "core/filters/cp1252_chars.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t Load8(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// How many bytes in front of the first set high bit of `high`.
std::size_t AsciiBytes(std::uint64_t high) {
  const int bit = std::endian::native == std::endian::little
                      ? std::countr_zero(high)
                      : std::countl_zero(high);
  return static_cast<std::size_t>(bit / 8);
}

// The first byte at or after `i` that is not ASCII, or `n`. Eight bytes at a
// time: in most text, non-ASCII bytes are far apart.
std::size_t SkipAscii(const unsigned char* p, std::size_t i, std::size_t n) {
  for (; i + 8 <= n; i += 8) {
    const std::uint64_t high = Load8(p + i) & kHighBits;
    if (high != 0) return i + AsciiBytes(high);
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// The length of the well-formed sequence at `p` (at most `left` bytes) and
// its character in `c`; 0 when there is none.
std::size_t DecodeSequence(const unsigned char* p, std::size_t left,
                           char32_t& c) {
  const unsigned lead = p[0];
  std::size_t length = 0;
  // The second byte's range shuts out overlong forms, surrogates and
  // characters beyond U+10FFFF.
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned byte = p[k];
    if (byte < low || byte > high) return 0;
    low = 0x80;
    high = 0xBF;
    c = (c << 6) | (byte & 0x3F);
  }
  return length;
}

// The Windows-1252 byte of the sequence at `p` and its length; 0 when the
// bytes there are no character or one that Windows-1252 lacks. "ä" and its
// kin (lead byte C3) are by far the most common and come first.
std::size_t Cp1252Sequence(const unsigned char* p, std::size_t left,
                           unsigned char& byte) {
  if (p[0] == 0xC3 && left >= 2 && (p[1] & 0xC0) == 0x80) {
    byte = static_cast<unsigned char>(0xC0 | (p[1] & 0x3F));
    return 2;
  }
  char32_t c = 0;
  const std::size_t length = DecodeSequence(p, left, c);
  const int found = length == 0 ? -1 : Cp1252ByteOf(c);
  if (found < 0) return 0;
  byte = static_cast<unsigned char>(found);
  return length;
}

struct Progress {
  std::size_t read;
  std::size_t write;
};

#if defined(__SSE2__)
constexpr std::size_t kBlock = 16;

// Copies the block at `from` to `to` (which may overlap it from below) and
// returns how many of its bytes come before the first that is not ASCII
// (kBlock: none is).
std::size_t CopyBlock(const unsigned char* from, unsigned char* to) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), block);
  const auto high =
      static_cast<unsigned>(_mm_movemask_epi8(block)) | (1U << kBlock);
  return static_cast<std::size_t>(std::countr_zero(high));
}
#else
constexpr std::size_t kBlock = 8;

std::size_t CopyBlock(const unsigned char* from, unsigned char* to) {
  const std::uint64_t word = Load8(from);
  std::memcpy(to, &word, 8);
  const std::uint64_t high = word & kHighBits;
  return high == 0 ? kBlock : AsciiBytes(high);
}
#endif

// Converts the one sequence at `read`; false when it has no Windows-1252
// byte.
bool SequenceStep(unsigned char* p, std::size_t n, std::size_t& read,
                  std::size_t& write) {
  unsigned char byte = 0;
  const std::size_t length = Cp1252Sequence(p + read, n - read, byte);
  if (length == 0) return false;
  p[write++] = byte;
  read += length;
  return true;
}

// One step of ConvertWhileCp1252 while a block stored at `write` reaches no
// byte not yet read (the text has not shrunk, or by a block): an ASCII run
// and, without a branch, the two-byte form of the most common letters.
// False at a sequence with no Windows-1252 byte.
bool FastStep(unsigned char* p, std::size_t n, std::size_t& read,
              std::size_t& write) {
  const std::size_t ascii = CopyBlock(p + read, p + write);
  read += ascii;
  write += ascii;
  const unsigned lead = p[read];
  const unsigned next = p[read + 1];
  const bool stopped = ascii < kBlock;
  const bool letter = stopped & (lead == 0xC3) & ((next & 0xC0) == 0x80);
  // Stored without a branch; where no letter is, into `spare`, so that the
  // next block's load never waits for a store into it.
  unsigned char spare = 0;
  *(letter ? p + write : &spare) =
      static_cast<unsigned char>(0xC0 | (next & 0x3F));
  read += letter ? 2 : 0;
  write += letter ? 1 : 0;
  if (!stopped || letter) return true;
  return SequenceStep(p, n, read, write);
}

// A step that never stores past what it has read.
bool CarefulStep(unsigned char* p, std::size_t n, std::size_t& read,
                 std::size_t& write) {
  if (p[read] < 0x80) {
    p[write++] = p[read++];
    return true;
  }
  return SequenceStep(p, n, read, write);
}

// Converts in place from `read` on, writing from `write` on (never past
// `read`), up to the first sequence that has no Windows-1252 byte.
Progress ConvertWhileCp1252(unsigned char* p, std::size_t n, Progress at) {
  auto [read, write] = at;
  while (read < n) {
    ConvertLatinBlocks(p, n, read, write);
    if (read == n) break;
    // Before the text shrinks, a block goes back where it was.
    const std::size_t shrunk = read - write;
    const bool fast = (shrunk == 0 || shrunk >= kBlock) && read + kBlock < n;
    if (!(fast ? FastStep(p, n, read, write)
               : CarefulStep(p, n, read, write))) {
      break;
    }
  }
  return {read, write};
}

// A byte's UTF-8 form, padded to four bytes so that it is copied whole.
struct Utf8Form {
  std::array<char, 4> bytes;
  std::uint8_t length;
};

constexpr std::array<Utf8Form, 256> MakeUtf8Forms() {
  std::array<Utf8Form, 256> forms{};
  for (unsigned b = 0; b < 256; ++b) {
    const unsigned c = Cp1252Char(static_cast<unsigned char>(b));
    Utf8Form& form = forms[b];
    if (c < 0x80) {
      form = {{static_cast<char>(c), 0, 0, 0}, 1};
    } else if (c < 0x800) {
      form = {{static_cast<char>(0xC0 | (c >> 6)),
               static_cast<char>(0x80 | (c & 0x3F)), 0, 0},
              2};
    } else {
      form = {{static_cast<char>(0xE0 | (c >> 12)),
               static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F)), 0},
              3};
    }
  }
  return forms;
}

constexpr std::array<Utf8Form, 256> kUtf8Forms = MakeUtf8Forms();

// Undoes ConvertWhileCp1252: the `write` bytes converted so far become their
// UTF-8 form again, which is exactly the `read` bytes they came from (a
// character has one well-formed UTF-8 form). Done from the back, so that
// every byte is read before its place is written.
void RestoreUtf8(unsigned char* p, Progress done) {
  std::size_t to = done.read;
  for (std::size_t from = done.write; from > 0;) {
    if (from >= 8) {
      const std::uint64_t word = Load8(p + from - 8);
      if ((word & kHighBits) == 0) {
        from -= 8;
        to -= 8;
        std::memcpy(p + to, &word, 8);
        continue;
      }
    }
    const Utf8Form& form = kUtf8Forms[p[--from]];
    to -= form.length;
    std::memcpy(p + to, form.bytes.data(), form.length);
  }
}

Utf8Reading ReadUtf8(const unsigned char* p, std::size_t n) {
  Utf8Reading reading;
  for (std::size_t i = SkipAscii(p, 0, n); i < n;) {
    char32_t c = 0;
    const std::size_t length = DecodeSequence(p + i, n - i, c);
    if (length == 0) {
      reading.well_formed = false;
      return reading;
    }
    reading.multibyte = true;
    if (reading.all_cp1252 && Cp1252ByteOf(c) < 0) reading.all_cp1252 = false;
    i = SkipAscii(p, i + length, n);
  }
  return reading;
}

std::size_t Utf8Size(const unsigned char* p, std::size_t n) {
  std::size_t size = 0;
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const std::uint64_t word = Load8(p + i);
    // Bytes 0x80 to 0x9F (bit 7 set, bits 6 and 5 clear) may take three
    // bytes; every other high byte takes two.
    const std::uint64_t high = word & kHighBits;
    const std::uint64_t c1 = high & ~(word << 1) & ~(word << 2);
    if (c1 == 0) {
      // The count of high bits, summed by a multiplication into the top
      // byte (std::popcount may be a library call on this target).
      size += 8 + static_cast<std::size_t>(((high >> 7) * 0x0101010101010101) >>
                                           56);
      continue;
    }
    for (std::size_t k = i; k < i + 8; ++k) size += kUtf8Forms[p[k]].length;
  }
  for (; i < n; ++i) size += kUtf8Forms[p[i]].length;
  return size;
}

}  // namespace

Utf8Reading DecodeUtf8ToCp1252(std::string& bytes, std::size_t start) {
  auto* p = reinterpret_cast<unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  // Converting straight away is right for every Unicode file; a file that
  // turns out not to be one gets its converted part back.
  std::array<unsigned char, 4> front{};
  std::memcpy(front.data(), p, std::min(start, front.size()));
  const Progress done = ConvertWhileCp1252(p, n, {start, 0});
  if (done.read == n) {
    Utf8Reading reading;
    reading.multibyte = done.write != n - start;
    bytes.resize(done.write);
    return reading;
  }
  RestoreUtf8(p, done);
  std::memcpy(p, front.data(), std::min(start, front.size()));
  Utf8Reading reading = ReadUtf8(p + done.read, n - done.read);
  reading.multibyte = true;
  reading.all_cp1252 = false;
  return reading;
}

Utf8Reading ReadUtf8(std::string_view bytes) {
  return ReadUtf8(reinterpret_cast<const unsigned char*>(bytes.data()),
                  bytes.size());
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t DecodeUtf8Sequence(std::string_view bytes, char32_t& c) {
  return bytes.empty()
             ? 0
             : DecodeSequence(
                   reinterpret_cast<const unsigned char*>(bytes.data()),
                   bytes.size(), c);
}

bool StartsWithUtf8Sequence(std::string_view bytes) {
  char32_t c = 0;
  return DecodeUtf8Sequence(bytes, c) > 1;
}

void AppendCp1252AsUtf8(std::string_view text, std::string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t write = out.size();
  const std::size_t end = write + Utf8Size(p, n);
  // Room for the padding of the last form and the blocks' last stores.
  out.resize(end + 16);
  auto* target = reinterpret_cast<unsigned char*>(out.data());
  std::size_t i = 0;
  while (i + 8 <= n) {
    ExpandLatinBlocks(p, n, i, target, write);
    if (i + 8 > n) break;
    const std::uint64_t word = Load8(p + i);
    i += 8;
    if ((word & kHighBits) == 0) {
      std::memcpy(target + write, &word, 8);
      write += 8;
      continue;
    }
    for (std::size_t k = i - 8; k < i; ++k) {
      const Utf8Form& form = kUtf8Forms[p[k]];
      std::memcpy(target + write, form.bytes.data(), 4);
      write += form.length;
    }
  }
  for (; i < n; ++i) {
    const Utf8Form& form = kUtf8Forms[p[i]];
    std::memcpy(target + write, form.bytes.data(), 4);
    write += form.length;
  }
  out.resize(end);
}

}  // namespace quor
