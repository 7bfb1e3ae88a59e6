#include "core/files/utf8_blocks.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUOR_LATIN_BLOCKS 1
#endif

namespace quor {

#if defined(QUOR_LATIN_BLOCKS)
namespace {

// For each set of bytes to keep out of eight, the shuffle that moves them to
// the front.
constexpr auto kCompactions = [] {
  std::array<std::array<std::uint8_t, 8>, 256> table{};
  for (unsigned keep = 0; keep < 256; ++keep) {
    std::size_t to = 0;
    for (std::uint8_t from = 0; from < 8; ++from) {
      if ((keep >> from) & 1U) table[keep][to++] = from;
    }
    for (; to < 8; ++to) table[keep][to] = 0x80;
  }
  return table;
}();

__attribute__((target("ssse3,popcnt"))) __m128i Compaction(unsigned low_keep,
                                                           unsigned high_keep) {
  std::uint64_t low;
  std::uint64_t high;
  std::memcpy(&low, kCompactions[low_keep].data(), 8);
  std::memcpy(&high, kCompactions[high_keep].data(), 8);
  // The upper half's indices point into the upper half of the block.
  high += 0x0808080808080808 & ~((high & 0x8080808080808080) >> 4);
  return _mm_set_epi64x(static_cast<long long>(high),
                        static_cast<long long>(low));
}

// Stores the two halves of `packed` at `to`, the second right after the
// first `low_count` bytes of the first.
__attribute__((target("ssse3,popcnt"))) void StoreHalves(__m128i packed,
                                                         int low_count,
                                                         unsigned char* to) {
  std::uint64_t low_half;
  std::uint64_t high_half;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(&low_half), packed);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(&high_half),
                   _mm_srli_si128(packed, 8));
  std::memcpy(to, &low_half, 8);
  std::memcpy(to + low_count, &high_half, 8);
}

// Converts the block `block`, stores its result at `to` and returns its
// length; -1 when the block holds anything but ASCII and two-byte forms of
// U+00A0 to U+00FF, or ends in a lead byte.
__attribute__((target("ssse3,popcnt"))) int ConvertBlock(__m128i block,
                                                         unsigned char* to) {
  const auto mask = [](__m128i v) {
    return static_cast<unsigned>(_mm_movemask_epi8(v));
  };
  const __m128i leads_v = _mm_cmpeq_epi8(
      _mm_and_si128(block, _mm_set1_epi8(static_cast<char>(0xFE))),
      _mm_set1_epi8(static_cast<char>(0xC2)));
  const unsigned high = mask(block);
  const unsigned leads = mask(leads_v);
  const unsigned conts = mask(_mm_cmpeq_epi8(
      _mm_and_si128(block, _mm_set1_epi8(static_cast<char>(0xC0))),
      _mm_set1_epi8(static_cast<char>(0x80))));
  // After C2 only A0 to BF: C2 80 to C2 9F are the C1 controls, most of
  // which Windows-1252 lacks.
  const unsigned c2 =
      mask(_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(0xC2))));
  const unsigned below_a0 = mask(_mm_cmpeq_epi8(
      _mm_and_si128(block, _mm_set1_epi8(static_cast<char>(0xE0))),
      _mm_set1_epi8(static_cast<char>(0x80))));
  if (high != (leads | conts) || conts != ((leads << 1) & 0xFFFF) ||
      (leads & 0x8000) != 0 || ((c2 << 1) & below_a0) != 0) {
    return -1;
  }
  // At a lead: 0x80 or 0xC0 (from the lead's last bit) and the low six bits
  // of the byte after it.
  const __m128i next = _mm_srli_si128(block, 1);
  const __m128i top = _mm_or_si128(
      _mm_set1_epi8(static_cast<char>(0x80)),
      _mm_and_si128(_mm_slli_epi16(block, 6), _mm_set1_epi8(0x40)));
  const __m128i letters =
      _mm_or_si128(top, _mm_and_si128(next, _mm_set1_epi8(0x3F)));
  const __m128i merged = _mm_or_si128(_mm_and_si128(leads_v, letters),
                                      _mm_andnot_si128(leads_v, block));
  const unsigned keep = ~conts & 0xFFFF;
  const __m128i packed =
      _mm_shuffle_epi8(merged, Compaction(keep & 0xFF, keep >> 8));
  const int low_count = std::popcount(keep & 0xFF);
  StoreHalves(packed, low_count, to);
  return low_count + std::popcount(keep >> 8);
}

__attribute__((target("ssse3,popcnt"))) void ConvertBlocks(unsigned char* p,
                                                           std::size_t n,
                                                           std::size_t& read,
                                                           std::size_t& write) {
  while (read + 16 <= n) {
    const __m128i block =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + read));
    // The stores reach at most sixteen bytes past `write`, which is not
    // past `read`: never into a block not yet loaded.
    const int length = ConvertBlock(block, p + write);
    if (length < 0) return;
    read += 16;
    write += static_cast<std::size_t>(length);
  }
}

__attribute__((target("ssse3,popcnt"))) void ExpandBlocks(
    const unsigned char* text, std::size_t n, std::size_t& read,
    unsigned char* out, std::size_t& write) {
  for (; read + 8 <= n; read += 8) {
    const __m128i bytes =
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(text + read));
    const auto high = static_cast<unsigned>(_mm_movemask_epi8(bytes)) & 0xFF;
    // Bit 7 set and bits 6 and 5 clear: 0x80 to 0x9F.
    const __m128i c1 = _mm_cmpeq_epi8(
        _mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xE0))),
        _mm_set1_epi8(static_cast<char>(0x80)));
    if ((_mm_movemask_epi8(c1) & 0xFF) != 0) return;
    // A high byte b becomes C2 or C3 (from bit 6) and 0x80 | (b & 0x3F);
    // an ASCII byte stays, and its second place is dropped.
    const __m128i high_v = _mm_cmplt_epi8(bytes, _mm_setzero_si128());
    const __m128i lead =
        _mm_or_si128(_mm_set1_epi8(static_cast<char>(0xC2)),
                     _mm_and_si128(_mm_srli_epi16(bytes, 6), _mm_set1_epi8(1)));
    const __m128i first = _mm_or_si128(_mm_and_si128(high_v, lead),
                                       _mm_andnot_si128(high_v, bytes));
    const __m128i second =
        _mm_or_si128(_mm_set1_epi8(static_cast<char>(0x80)),
                     _mm_and_si128(bytes, _mm_set1_epi8(0x3F)));
    const __m128i pairs = _mm_unpacklo_epi8(first, second);
    unsigned keep = 0;
    for (unsigned i = 0; i < 8; ++i) {
      keep |= (1U | (((high >> i) & 1U) << 1)) << (2 * i);
    }
    const __m128i packed =
        _mm_shuffle_epi8(pairs, Compaction(keep & 0xFF, keep >> 8));
    StoreHalves(packed, std::popcount(keep & 0xFF), out + write);
    write += 8 + static_cast<std::size_t>(std::popcount(high));
  }
}

bool CanShuffle() {
  static const bool kCanShuffle = __builtin_cpu_supports("ssse3") != 0 &&
                                  __builtin_cpu_supports("popcnt") != 0;
  return kCanShuffle;
}

}  // namespace

void ExpandLatinBlocks(const unsigned char* text, std::size_t n,
                       std::size_t& read, unsigned char* out,
                       std::size_t& write) {
  if (CanShuffle()) ExpandBlocks(text, n, read, out, write);
}

void ConvertLatinBlocks(unsigned char* p, std::size_t n, std::size_t& read,
                        std::size_t& write) {
  if (CanShuffle()) ConvertBlocks(p, n, read, write);
}

#else

void ConvertLatinBlocks(unsigned char*, std::size_t, std::size_t&,
                        std::size_t&) {}
void ExpandLatinBlocks(const unsigned char*, std::size_t, std::size_t&,
                       unsigned char*, std::size_t&) {}

#endif

}  // namespace quor
