#include "core/filters/html_entities.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/in_place_edit.h"

namespace quor {
namespace {

struct Entity {
  std::string_view name;
  unsigned char byte;
};

// In the order in which the names are replaced. Only "&amp;" yields a byte
// that can begin a name, so the order matters just for an "&amp;" followed
// by the rest of a name: the names before it were done before that "&"
// appeared, those after it see it.
constexpr Entity kEntities[] = {
    {"&nbsp;", 0x20},   {"&quot;", 0x27},   {"&gt;", 0x3E},
    {"&lt;", 0x3C},     {"&amp;", 0x26},    {"&auml;", 0xE4},
    {"&ouml;", 0xF6},   {"&uuml;", 0xFC},   {"&Auml;", 0xC4},
    {"&Ouml;", 0xD6},   {"&Uuml;", 0xDC},   {"&szlig;", 0xDF},
    {"&copy;", 0xA9},   {"&shy;", 0xAD},    {"&Agrave;", 0xC0},
    {"&Aacute;", 0xC1}, {"&Acirc;", 0xC2},  {"&Atilde;", 0xC3},
    {"&Aring;", 0xC5},  {"&AElig;", 0xC6},  {"&Ccedil;", 0xC7},
    {"&Egrave;", 0xC8}, {"&Eacute;", 0xC9}, {"&Ecirc;", 0xCA},
    {"&Euml;", 0xCB},   {"&Igrave;", 0xCC}, {"&Iacute;", 0xCD},
    {"&Icirc;", 0xCE},  {"&Iuml;", 0xCF},   {"&ETH;", 0xD0},
    {"&Ntilde;", 0xD1}, {"&Ograve;", 0xD2}, {"&Oacute;", 0xD3},
    {"&Ocirc;", 0xD4},  {"&Otilde;", 0xD5}, {"&Oslash;", 0xD8},
    {"&Ugrave;", 0xD9}, {"&Uacute;", 0xDA}, {"&Ucirc;", 0xDB},
    {"&Yacute;", 0xDD}, {"&THORN;", 0xDE},  {"&agrave;", 0xE0},
    {"&aacute;", 0xE1}, {"&acirc;", 0xE2},  {"&atilde;", 0xE3},
    {"&aring;", 0xE5},  {"&aelig;", 0xE6},  {"&ccedil;", 0xE7},
    {"&egrave;", 0xE8}, {"&eacute;", 0xE9}, {"&ecirc;", 0xEA},
    {"&euml;", 0xEB},   {"&igrave;", 0xEC}, {"&iacute;", 0xED},
    {"&icirc;", 0xEE},  {"&iuml;", 0xEF},   {"&eth;", 0xF0},
    {"&ntilde;", 0xF1}, {"&ograve;", 0xF2}, {"&oacute;", 0xF3},
    {"&ocirc;", 0xF4},  {"&otilde;", 0xF5}, {"&oslash;", 0xF8},
    {"&ugrave;", 0xF9}, {"&uacute;", 0xFA}, {"&ucirc;", 0xFB},
    {"&yacute;", 0xFD}, {"&thorn;", 0xFE},  {"&yuml;", 0xFF},
    {"&#169;", 0xA9},   {"&middot;", 0xB7},
};
constexpr std::size_t kEntityCount = std::size(kEntities);
constexpr std::size_t kAmpOrder = 4;  // the place of "&amp;" above
static_assert(kEntities[kAmpOrder].name == "&amp;");

// A name without its "&", at most seven bytes up to and with its ";".
constexpr std::size_t kLongestName = 7;

// Up to seven bytes packed into one number, byte i in bits 8i to 8i + 7.
constexpr std::uint64_t Pack(std::string_view bytes) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    key |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  }
  return key;
}

struct IndexEntry {
  std::uint64_t key;  // the packed name without its "&"; 0 for a free slot
  std::size_t length;
  std::size_t order;
  char byte;
};

// An open-addressed table, filled at compile time: German HTML holds an
// entity every few words, and a probe or two beats a binary search there.
constexpr std::size_t kSlots = 256;

constexpr std::size_t SlotOf(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 56);
}

constexpr std::array<IndexEntry, kSlots> MakeIndex() {
  std::array<IndexEntry, kSlots> index{};
  for (std::size_t i = 0; i < kEntityCount; ++i) {
    const std::string_view name = kEntities[i].name.substr(1);
    std::size_t slot = SlotOf(Pack(name));
    while (index[slot].key != 0) slot = (slot + 1) % kSlots;
    index[slot] = {Pack(name), name.size(), i,
                   static_cast<char>(kEntities[i].byte)};
  }
  return index;
}

constexpr std::array<IndexEntry, kSlots> kIndex = MakeIndex();

// The entity whose name, without its "&", starts at `p`, or none. A name
// holds no ";" before its last byte, so the first ";" ends the candidate.
const IndexEntry* Lookup(const char* p, const char* end) {
  std::uint64_t bytes;
  if (std::endian::native == std::endian::little && end - p >= 8) {
    std::memcpy(&bytes, p, 8);
  } else {
    bytes = Pack(std::string_view(
        p, std::min(static_cast<std::size_t>(end - p), kLongestName)));
  }
  // Flags the ";" bytes among the first seven; the lowest flag is exact.
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t x = bytes ^ (kOnes * ';');
  const std::uint64_t semicolons = (x - kOnes) & ~x & 0x0080808080808080u;
  if (semicolons == 0) return nullptr;
  const int length = __builtin_ctzll(semicolons) / 8 + 1;
  const std::uint64_t key = bytes & ((std::uint64_t{1} << (8 * length)) - 1);
  for (std::size_t slot = SlotOf(key); kIndex[slot].key != 0;
       slot = (slot + 1) % kSlots) {
    if (kIndex[slot].key == key) return &kIndex[slot];
  }
  return nullptr;
}

// The next "&" in [p, end), or nullptr.
const char* FindAmpersand(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i ampersand = _mm_set1_epi8('&');
  while (end - p >= 16) {
    const int hits = _mm_movemask_epi8(_mm_cmpeq_epi8(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), ampersand));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
    p += 16;
  }
#endif
  return static_cast<const char*>(
      std::memchr(p, '&', static_cast<std::size_t>(end - p)));
}

}  // namespace

// Names begin with "&", end with the first ";" after it and hold neither
// byte in between, so no two occurrences overlap and each name in the text
// turns into its byte whatever the order. Of the bytes put in, only the "&"
// of "&amp;" occurs in a name: with the rest of a name further down the
// order behind it, it makes that name, whose byte then stays (no name holds
// it). So one look past "&amp;" is all the order asks for.
void DecodeEntities(std::string& text) {
  InPlaceEdit edit(text);
  const char* const end = edit.end();
  const char* p = edit.begin();
  while ((p = FindAmpersand(p, end)) != nullptr) {
    const IndexEntry* entity = Lookup(p + 1, end);
    if (entity == nullptr) {
      ++p;
      continue;
    }
    const char* after = p + 1 + entity->length;
    char byte = entity->byte;
    if (entity->order == kAmpOrder) {
      const IndexEntry* joined = Lookup(after, end);
      if (joined != nullptr && joined->order > kAmpOrder) {
        after += joined->length;
        byte = joined->byte;
      }
    }
    edit.Replace(p, after, byte);
    p = after;
  }
  edit.Finish();
}

}  // namespace quor
