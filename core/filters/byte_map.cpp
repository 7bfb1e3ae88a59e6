#include "core/filters/byte_map.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QUOR_VECTOR_MAP 1
#else
#define QUOR_VECTOR_MAP 0
#endif

namespace quor {
namespace byte_map_detail {

void MapPortable(unsigned char* bytes, std::size_t size,
                 const ByteTable& table) {
  // A local copy of the table cannot alias the text, so the compiler may load
  // eight bytes and their entries before it stores any of them.
  const ByteTable map = table;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const unsigned char b0 = map[bytes[i]];
    const unsigned char b1 = map[bytes[i + 1]];
    const unsigned char b2 = map[bytes[i + 2]];
    const unsigned char b3 = map[bytes[i + 3]];
    const unsigned char b4 = map[bytes[i + 4]];
    const unsigned char b5 = map[bytes[i + 5]];
    const unsigned char b6 = map[bytes[i + 6]];
    const unsigned char b7 = map[bytes[i + 7]];
    bytes[i] = b0;
    bytes[i + 1] = b1;
    bytes[i + 2] = b2;
    bytes[i + 3] = b3;
    bytes[i + 4] = b4;
    bytes[i + 5] = b5;
    bytes[i + 6] = b6;
    bytes[i + 7] = b7;
  }
  for (; i < size; ++i) bytes[i] = map[bytes[i]];
}

#if QUOR_VECTOR_MAP

bool HasVectorMap() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

namespace {

// The table cut into sixteen rows by the high half of the byte. A byte shuffle
// looks up a whole row at once; rows that leave their bytes alone are left
// out, so a map that changes few bytes costs few shuffles.
struct ChangedRows {
  int count = 0;
  __m256i row[16];   // the row's 16 entries, in both 128-bit lanes
  __m256i high[16];  // the row's high half, in every byte
};

[[gnu::target("avx2")]] void FindChangedRows(const ByteTable& table,
                                             ChangedRows& rows) {
  for (std::size_t high = 0; high < 16; ++high) {
    bool changes = false;
    for (std::size_t low = 0; low < 16; ++low) {
      changes |= table[high * 16 + low] != high * 16 + low;
    }
    if (!changes) continue;
    const __m128i row = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(table.data() + high * 16));
    rows.row[rows.count] = _mm256_broadcastsi128_si256(row);
    rows.high[rows.count] = _mm256_set1_epi8(static_cast<char>(high));
    ++rows.count;
  }
}

}  // namespace

[[gnu::target("avx2")]] void MapVector(unsigned char* bytes, std::size_t size,
                                       const ByteTable& table) {
  ChangedRows rows;
  FindChangedRows(table, rows);
  if (rows.count == 0) return;
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    auto* const block = reinterpret_cast<__m256i*>(bytes + i);
    const __m256i in = _mm256_loadu_si256(block);
    const __m256i low = _mm256_and_si256(in, nibble);
    const __m256i high = _mm256_and_si256(_mm256_srli_epi16(in, 4), nibble);
    __m256i out = in;
    for (int r = 0; r < rows.count; ++r) {
      const __m256i mapped = _mm256_shuffle_epi8(rows.row[r], low);
      const __m256i in_row = _mm256_cmpeq_epi8(high, rows.high[r]);
      out = _mm256_blendv_epi8(out, mapped, in_row);
    }
    _mm256_storeu_si256(block, out);
  }
  MapPortable(bytes + i, size - i, table);
}

#else

bool HasVectorMap() { return false; }

void MapVector(unsigned char* bytes, std::size_t size, const ByteTable& table) {
  MapPortable(bytes, size, table);
}

#endif

}  // namespace byte_map_detail

void MapBytes(std::string& text, const ByteTable& table) {
  MapBytes(text.data(), text.size(), table);
}

void MapBytes(char* bytes, std::size_t size, const ByteTable& table) {
  auto* const unsigned_bytes = reinterpret_cast<unsigned char*>(bytes);
  if (byte_map_detail::HasVectorMap()) {
    byte_map_detail::MapVector(unsigned_bytes, size, table);
  } else {
    byte_map_detail::MapPortable(unsigned_bytes, size, table);
  }
}

ByteTable IdentityMap() {
  ByteTable table{};
  for (std::size_t c = 0; c < table.size(); ++c) {
    table[c] = static_cast<unsigned char>(c);
  }
  return table;
}

bool IsIdentity(const ByteTable& table) {
  for (std::size_t c = 0; c < table.size(); ++c) {
    if (table[c] != static_cast<unsigned char>(c)) return false;
  }
  return true;
}

ByteTable ComposeByteMaps(const ByteTable& first, const ByteTable& second) {
  ByteTable both{};
  for (std::size_t c = 0; c < both.size(); ++c) both[c] = second[first[c]];
  return both;
}

}  // namespace quor
