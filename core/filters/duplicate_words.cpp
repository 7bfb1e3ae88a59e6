#include "core/filters/duplicate_words.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/filters/byte_classes.h"
#include "core/filters/hash_mix.h"

// How the comparison is indexed.
//
// Two tokens compare equal when they agree byte by byte with bit 0x20 set
// (their "folded" bytes) up to a place where both hold a byte below 0x21, a
// "mark". A control byte folds to the same value as one punctuation byte (CR
// to "-", LF to "*", tab to ")"), and a blank or the end of the text folds to
// 0x20, which nothing else does; so a comparison never passes a blank, and it
// can only go on past a mark where the other side holds that mark's twin.
//
// Call every folded value that a mark can have a boundary value: 0x20 and the
// twins of the control bytes that occur in the text. Boundaries are a property
// of the folded bytes, so two tokens that agree so far meet their boundaries
// at the same places, and between two boundaries they must simply agree. The
// kept tokens therefore form a trie whose edges are the folded boundary value
// followed by the folded bytes up to the next boundary, and whose nodes note
// whether some token holds a mark at the node's boundary. A word is a repeat
// exactly when its own path reaches a node where both it and some earlier
// token hold a mark.
//
// The trie grows lazily: a kept token enters at the node of its first
// boundary and waits there until a word walks past that node, so tokens run
// only as deep as words follow them. A token whose next stretch reaches the
// end of the kept text is compared directly instead (only the kept text up to
// its last boundary is final, and the current word continues it); at most one
// waiting token per node can be in that state. A kept token whose first
// boundary is not yet in the kept text can never equal the word: at the word's
// first boundary it holds an ordinary byte.
//
// Segments of up to eight bytes are keyed by their folded bytes themselves;
// longer ones by a polynomial hash, checked byte by byte on every match.

namespace quor {
namespace {

constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15;  // of the segment hash
constexpr std::uint64_t kFoldBits = 0x2020202020202020;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
constexpr std::uint32_t kNoNode = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kNoEntry = std::numeric_limits<std::uint32_t>::max();

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

unsigned char Fold(char c) { return Byte(c) | 0x20; }

bool IsMark(char c) { return Byte(c) < 0x21; }

// The polynomial hash of the folded bytes, the first byte weighing most, so
// that the hash of a concatenation xy is hash(x) * kBase^|y| + hash(y).
std::uint64_t Hash(const char* p, std::size_t length) {
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < length; ++i) h = h * kBase + Fold(p[i]);
  return h;
}

std::uint64_t Power(std::size_t exponent) {
  std::uint64_t result = 1;
  std::uint64_t factor = kBase;
  for (; exponent != 0; exponent >>= 1) {
    if ((exponent & 1) != 0) result *= factor;
    factor *= factor;
  }
  return result;
}

bool SameFolded(const char* a, const char* b, std::size_t length) {
  for (; length >= 8; a += 8, b += 8, length -= 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    if (((x ^ y) & ~kFoldBits) != 0) return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

// The control bytes 0x01-0x1F that occur in the text, one bit each.
std::uint32_t ControlBytesIn(const char* p, const char* end) {
  std::uint32_t found = 0;
#if defined(__SSE2__)
  const __m128i limit = _mm_set1_epi8(0x1F);
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    auto mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, limit), v)));
    for (; mask != 0; mask &= mask - 1) {
      found |= std::uint32_t{1} << Byte(p[__builtin_ctz(mask)]);
    }
    p += 16;
  }
#endif
  for (; p < end; ++p) {
    if (Byte(*p) < 0x20) found |= std::uint32_t{1} << Byte(*p);
  }
  return found;
}

// Which of the text's bytes are letters and which are boundaries, worked out
// 64 bytes at a time so that finding the ends of words and segments takes no
// branch per byte. Positions up to the text's end (its terminating zero, which
// is a boundary and no letter) can be asked for.
class ByteMasks {
 public:
  ByteMasks(const char* text, std::size_t size,
            const std::array<bool, 256>& boundary)
      : text_(text), size_(size), boundary_(boundary) {
    for (int c = 0x20; c < 0x40; ++c) {
      if (boundary[static_cast<std::size_t>(c)]) {
        if (values_ == kMaxValues) {
          values_ = kTooMany;
          break;
        }
        boundary_values_[values_++] = static_cast<char>(c);
      }
    }
  }

  // The first letter at or after `p`, or the end.
  std::size_t NextLetter(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      std::uint64_t bits = Letters(base) >> (p - base);
      if (size_ - base < 64) bits |= std::uint64_t{1} << (size_ - p);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

  // The first byte at or after `p` that is no letter (the end is none).
  std::size_t NextNonLetter(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      const std::uint64_t bits = ~Letters(base) >> (p - base);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

  // The first boundary at or after `p` (the end is one).
  std::size_t NextBoundary(std::size_t p) {
    for (;;) {
      const std::size_t base = p & ~std::size_t{63};
      const std::uint64_t bits = Boundaries(base) >> (p - base);
      if (bits != 0) return p + static_cast<std::size_t>(__builtin_ctzll(bits));
      p = base + 64;
    }
  }

 private:
  static constexpr int kMaxValues = 8;
  static constexpr int kTooMany = kMaxValues + 1;

  // The 64 bytes from `base`, zeros past the end.
  const char* Block(std::size_t base) {
    if (size_ - base >= 64) return text_ + base;
    std::memset(tail_, 0, sizeof tail_);
    std::memcpy(tail_, text_ + base, size_ - base);
    return tail_;
  }

  std::uint64_t Letters(std::size_t base) {
    if (base != letters_base_) {
      letters_ =
          ClassifyLetters(reinterpret_cast<const unsigned char*>(Block(base)))
              .letters;
      letters_base_ = base;
    }
    return letters_;
  }

  std::uint64_t Boundaries(std::size_t base) {
    if (base != boundaries_base_) {
      boundaries_ = BoundaryBits(Block(base));
      boundaries_base_ = base;
    }
    return boundaries_;
  }

  std::uint64_t BoundaryBits(const char* p) const {
    std::uint64_t bits = 0;
#if defined(__SSE2__)
    if (values_ != kTooMany) {
      const __m128i fold = _mm_set1_epi8(0x20);
      for (int k = 0; k < 4; ++k) {
        const __m128i f = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k)),
            fold);
        __m128i hit = _mm_setzero_si128();
        for (int i = 0; i < values_; ++i) {
          hit = _mm_or_si128(
              hit, _mm_cmpeq_epi8(f, _mm_set1_epi8(boundary_values_[i])));
        }
        bits |= static_cast<std::uint64_t>(
                    static_cast<unsigned>(_mm_movemask_epi8(hit)))
                << (16 * k);
      }
      return bits;
    }
#endif
    for (int i = 0; i < 64; ++i) {
      bits |= std::uint64_t{boundary_[Byte(p[i])]} << i;
    }
    return bits;
  }

  const char* const text_;
  const std::size_t size_;
  const std::array<bool, 256>& boundary_;
  std::array<char, kMaxValues> boundary_values_{};  // folded
  int values_ = 0;
  std::size_t letters_base_ = kNone;
  std::uint64_t letters_ = 0;
  std::size_t boundaries_base_ = kNone;
  std::uint64_t boundaries_ = 0;
  char tail_[64];
};

// Open-addressing table from 64-bit hashes to node numbers. A hash's home
// slot is given by its top bits, so that doubling the table moves the entries
// forward in order (two slots for each old one), and the upper half of the
// hash, kept in the slot next to the node, is all a move needs.
class NodeIndex {
 public:
  bool Big() const { return slots_.size() >= kBig; }

  // Where the search for `hash` starts, for fetching ahead of time.
  const void* Home(std::uint64_t hash) const { return &slots_[hash >> shift_]; }

  // The first node with this hash that `match` accepts, or kNoNode.
  template <typename Match>
  std::uint32_t Find(std::uint64_t hash, Match match) const {
    if (slots_.empty()) return kNoNode;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash >> shift_;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return kNoNode;
      if ((slot >> 32) != (hash >> 32)) continue;
      const auto node = static_cast<std::uint32_t>(slot) - 1;
      if (match(node)) return node;
    }
  }

  void Add(std::uint64_t hash, std::uint32_t node) {
    // At most three quarters full.
    if ((count_ + 1) * 4 > slots_.size() * 3) Grow();
    Place(slots_, shift_, (hash >> 32 << 32) | (std::uint64_t{node} + 1));
    ++count_;
  }

 private:
  static constexpr int kInitialBits = 10;
  static constexpr std::size_t kBig = std::size_t{1} << 16;

  static void Place(std::vector<std::uint64_t>& slots, int shift,
                    std::uint64_t slot) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = (slot >> 32 << 32) >> shift;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }

  void Grow() {
    // Homes come from the hash's upper half, so at most 2^32 slots.
    if (shift_ == 32) throw std::length_error("index");
    const int shift = slots_.empty() ? 64 - kInitialBits : shift_ - 1;
    std::vector<std::uint64_t> bigger(std::size_t{1} << (64 - shift));
    for (const std::uint64_t slot : slots_) {
      if (slot != 0) Place(bigger, shift, slot);
    }
    slots_.swap(bigger);
    shift_ = shift;
  }

  std::vector<std::uint64_t> slots_;
  int shift_ = 64;
  std::size_t count_ = 0;
};

class DuplicateWordRemover {
 public:
  explicit DuplicateWordRemover(std::string& text)
      : text_(text),
        buffer_(text.data()),
        end_(text.size()),
        boundary_(BoundaryTable(buffer_, end_)),
        masks_(buffer_, end_, boundary_) {}

  // Goes through the text, reading at r_ and writing the kept text at w_. On
  // return everything before w_ is the result and r_ the first byte not yet
  // looked at, also when the index ran out of memory on the way.
  void Run() {
    r_ = masks_.NextLetter(masks_.NextNonLetter(0));
    w_ = r_;
    const std::size_t first_boundary = masks_.NextBoundary(0);
    if (first_boundary < w_) {
      std::size_t last = w_ - 1;
      while (!boundary_[Byte(buffer_[last])]) --last;
      NoteKeptBoundaries(first_boundary, last);
    }
    while (r_ < end_) {
      const Word word = NextWord();
      if (!IsRepeat(word.segment_end, word.key)) Keep(word.end);
      r_ = word.end;
      if (word.segment_end < word.next) {
        std::size_t last = word.next - 1;
        while (!boundary_[Byte(buffer_[last])]) --last;
        const std::size_t run_start = w_;
        Keep(word.next);
        NoteKeptBoundaries(run_start + (word.segment_end - word.end),
                           run_start + (last - word.end));
      } else {
        Keep(word.next);
      }
    }
  }

  void Finish() {
    Keep(end_);
    text_.resize(w_);
  }

 private:
  struct Node {
    std::uint64_t key;
    std::size_t start;        // where the segment of the node's first token
                              // starts in the kept text
    std::size_t length_mark;  // segment length << 1 | some token has a mark
    std::uint32_t parent;     // 0 under the root, else parent index + 1
    std::uint32_t waiting;    // kNoneWaiting, kFirstWaiting or entry + 2
  };
  // A waiting token other than the node's first one.
  struct Entry {
    std::size_t boundary;  // where the token meets the node's boundary
    std::uint32_t next;
  };
  // A word of the text: where its letters end, its first boundary, and where
  // the next word starts (or the end).
  struct Word {
    std::size_t end;
    std::size_t segment_end;
    std::size_t next;
    std::uint64_t key;  // of the first segment, up to segment_end
  };
  struct RootCacheEntry {
    std::uint64_t key;
    std::uint32_t length_plus_one;  // 0: empty
    std::uint32_t node;
  };
  static constexpr int kRootCacheBits = 11;
  static constexpr std::size_t kAhead = 8;
  static constexpr std::uint32_t kNoneWaiting = 0;
  static constexpr std::uint32_t kFirstWaiting = 1;

  Word Look(std::size_t start) {
    Word word;
    word.end = masks_.NextNonLetter(start);
    // Words that share a stretch without boundaries share the first one.
    if (segment_end_ < start) segment_end_ = masks_.NextBoundary(word.end);
    word.segment_end = segment_end_;
    word.next = masks_.NextLetter(word.end);
    word.key = FirstSegmentKey(start, word.segment_end, word.next);
    return word;
  }

  // The word at r_. While the index is too big for the cache, words are
  // looked at some way ahead of their turn, and the index slots that they
  // will need are fetched meanwhile.
  Word NextWord() {
    if (ahead_count_ == 0 && !index_.Big()) return Look(r_);
    if (ahead_count_ == 0) ahead_next_ = r_;
    for (; ahead_count_ < kAhead && ahead_next_ < end_; ++ahead_count_) {
      Word& word = ahead_[(ahead_first_ + ahead_count_) % kAhead];
      const std::size_t start = ahead_next_;
      word = Look(start);
      __builtin_prefetch(
          index_.Home(SlotHash(0, 0, word.segment_end - start, word.key)));
      ahead_next_ = word.next;
    }
    const Word word = ahead_[ahead_first_];
    ahead_first_ = (ahead_first_ + 1) % kAhead;
    --ahead_count_;
    return word;
  }

  // Which bytes fold to a value that a mark can have: 0x20 and the twins
  // of the control bytes in the text.
  static std::array<bool, 256> BoundaryTable(const char* text,
                                             std::size_t size) {
    const std::uint32_t controls = ControlBytesIn(text, text + size);
    std::array<bool, 256> boundary{};
    for (int c = 0; c < 256; ++c) {
      const int folded = c | 0x20;
      boundary[static_cast<std::size_t>(c)] =
          folded == 0x20 ||
          (folded < 0x40 && ((controls >> (folded - 0x20)) & 1) != 0);
    }
    return boundary;
  }

  void Keep(std::size_t to) {
    const std::size_t count = to - r_;
    if (w_ != r_) {
      // Most runs are a few bytes and the gap behind the reading position is
      // wide, so one unaligned block move does.
      if (count <= 16 && r_ - w_ >= 16 && end_ - r_ >= 16) {
        char block[16];
        std::memcpy(block, buffer_ + r_, 16);
        std::memcpy(buffer_ + w_, block, 16);
      } else {
        std::memmove(buffer_ + w_, buffer_ + r_, count);
      }
    }
    w_ += count;
    r_ = to;
  }

  // New kept bytes hold boundaries from `first` to `last`: the kept tokens
  // up to the first one enter the trie.
  void NoteKeptBoundaries(std::size_t first, std::size_t last) {
    if (last_boundary_ == kNone || first > last_boundary_ + 1) {
      EnterTokensBefore(first);
    }
    last_boundary_ = last;
  }

  bool IsTokenStart(std::size_t p) const {
    // The first byte of the text starts a token whatever it is; later
    // tokens start with the first letter of a word.
    return p == 0 ||
           (IsLetterByte(buffer_[p]) && !IsLetterByte(buffer_[p - 1]));
  }

  // Every kept token from the previous boundary up to `boundary` has its
  // first segment complete now.
  void EnterTokensBefore(std::size_t boundary) {
    const std::size_t low = last_boundary_ == kNone ? 0 : last_boundary_ + 1;
    // Nearest token first, so each longer segment's hash extends the last.
    std::size_t hashed_from = boundary;
    std::uint64_t hash = 0;
    for (std::size_t p = boundary; p > low;) {
      --p;
      if (!IsTokenStart(p)) continue;
      const std::size_t length = boundary - p;
      std::uint64_t key;
      if (length <= 8) {
        key = ShortKey(buffer_ + p, length);
      } else {
        const std::uint64_t head = Hash(buffer_ + p, hashed_from - p);
        hash = head * Power(boundary - hashed_from) + hash;
        hashed_from = p;
        key = hash;
      }
      bool created = false;
      const std::uint32_t node = FindOrAdd(0, 0, length, key, p, created);
      Arrive(node, boundary, created, kNoEntry);
    }
  }

  std::uint64_t ShortKey(const char* p, std::size_t length) const {
    if (length == 0) return 0;
    std::uint64_t bytes = 0;
    if (p + 8 <= buffer_ + end_) {
      std::memcpy(&bytes, p, 8);
    } else {
      std::memcpy(&bytes, p, length);
    }
    const std::uint64_t keep = length == 8
                                   ? ~std::uint64_t{0}
                                   : (std::uint64_t{1} << (8 * length)) - 1;
    return (bytes | kFoldBits) & keep;
  }

  std::uint64_t SegmentKey(const char* p, std::size_t length) const {
    return length <= 8 ? ShortKey(p, length) : Hash(p, length);
  }

  // The key of the first segment of the word at `start`, which ends at
  // `segment_end`. Words that share a long segment get theirs from the one
  // before: the hash of the segment less that of the bytes up to the next word.
  std::uint64_t FirstSegmentKey(std::size_t start, std::size_t segment_end,
                                std::size_t next_word) {
    const std::size_t length = segment_end - start;
    const bool chained = chain_start_ == start && chain_end_ == segment_end;
    chain_start_ = kNone;
    if (length <= 8) return ShortKey(buffer_ + start, length);
    const std::uint64_t hash =
        chained ? chain_hash_ : Hash(buffer_ + start, length);
    if (next_word < segment_end && segment_end - next_word > 8) {
      const std::uint64_t head = Hash(buffer_ + start, next_word - start);
      chain_hash_ = hash - head * Power(segment_end - next_word);
      chain_start_ = next_word;
      chain_end_ = segment_end;
    }
    return hash;
  }

  std::size_t SegmentLength(std::uint32_t node) const {
    return nodes_[node].length_mark >> 1;
  }

  bool HasMark(std::uint32_t node) const {
    return (nodes_[node].length_mark & 1) != 0;
  }

  static std::uint64_t SlotHash(std::uint32_t parent, unsigned char edge,
                                std::size_t length, std::uint64_t key) {
    return MixHash(key * 0x9FB21C651E98DF25 ^
                   (length + (std::uint64_t{edge} << 56)) * 0xD6E8FEB86659FD93 ^
                   parent);
  }

  // Whether `node` is the child of `parent` along the folded `edge` byte and
  // the `length` bytes at `segment`.
  bool Matches(std::uint32_t node, std::uint32_t parent, unsigned char edge,
               std::size_t length, std::uint64_t key, const char* segment) {
    const Node& n = nodes_[node];
    if (n.parent != parent || n.key != key || SegmentLength(node) != length) {
      return false;
    }
    if (parent != 0 && Fold(buffer_[n.start - 1]) != edge) return false;
    if (length <= 8) return true;
    // The word's segments repeat in a run of earlier text often; one byte
    // check covers the run.
    const char* const start = buffer_ + n.start;
    const auto at = static_cast<std::size_t>(segment - buffer_);
    if (at >= r_ && at >= checked_from_ && at + length <= checked_to_ &&
        at - n.start == checked_shift_) {
      return true;
    }
    if (!SameFolded(segment, start, length)) return false;
    if (at >= r_) {
      checked_from_ = at;
      checked_to_ = at + length;
      checked_shift_ = at - n.start;
    }
    return true;
  }

  std::uint32_t Find(std::uint32_t parent, unsigned char edge,
                     std::size_t length, std::uint64_t key,
                     const char* segment) {
    return index_.Find(
        SlotHash(parent, edge, length, key), [&](std::uint32_t node) {
          return Matches(node, parent, edge, length, key, segment);
        });
  }

  // Most words are short and come again and again: a small table in front
  // of the index finds their first node without hashing and probing.
  RootCacheEntry& CachedRoot(std::size_t length, std::uint64_t key) {
    return root_cache_[(key + length) * 0x9E3779B97F4A7C15 >>
                       (64 - kRootCacheBits)];
  }

  std::uint32_t FindRoot(std::size_t length, std::uint64_t key,
                         const char* segment) {
    if (length > 8) return Find(0, 0, length, key, segment);
    RootCacheEntry& cached = CachedRoot(length, key);
    if (cached.length_plus_one == length + 1 && cached.key == key) {
      return cached.node;
    }
    const std::uint32_t node = Find(0, 0, length, key, segment);
    if (node != kNoNode) {
      cached =
          RootCacheEntry{key, static_cast<std::uint32_t>(length + 1), node};
    }
    return node;
  }

  std::uint32_t FindOrAdd(std::uint32_t parent, unsigned char edge,
                          std::size_t length, std::uint64_t key,
                          std::size_t start, bool& created) {
    const std::uint32_t found =
        parent == 0 ? FindRoot(length, key, buffer_ + start)
                    : Find(parent, edge, length, key, buffer_ + start);
    if (found != kNoNode) return found;
    if (nodes_.size() >= kNoNode - 1) throw std::length_error("trie");
    nodes_.push_back(Node{key, start, length << 1, parent, kNoneWaiting});
    const auto node = static_cast<std::uint32_t>(nodes_.size() - 1);
    index_.Add(SlotHash(parent, edge, length, key), node);
    created = true;
    return node;
  }

  // A token reaches `node` and meets its boundary at `boundary`. It waits
  // there unless its region ends, as the node's first token when it created
  // the node, else in an entry (`entry` if it brings one along).
  void Arrive(std::uint32_t node, std::size_t boundary, bool created,
              std::uint32_t entry) {
    if (IsMark(buffer_[boundary])) nodes_[node].length_mark |= 1;
    if (Fold(buffer_[boundary]) == 0x20 || created) {
      if (entry != kNoEntry) Release(entry);
      if (Fold(buffer_[boundary]) != 0x20) nodes_[node].waiting = kFirstWaiting;
      return;
    }
    if (nodes_[node].waiting == kFirstWaiting) {
      const std::uint32_t first = Acquire();
      entries_[first] =
          Entry{nodes_[node].start + SegmentLength(node), kNoEntry};
      nodes_[node].waiting = first + 2;
    }
    if (entry == kNoEntry) entry = Acquire();
    const std::uint32_t waiting = nodes_[node].waiting;
    entries_[entry] =
        Entry{boundary, waiting == kNoneWaiting ? kNoEntry : waiting - 2};
    nodes_[node].waiting = entry + 2;
  }

  std::uint32_t Acquire() {
    if (free_entry_ != kNoEntry) {
      const std::uint32_t entry = free_entry_;
      free_entry_ = entries_[entry].next;
      return entry;
    }
    if (entries_.size() >= kNoEntry - 2) throw std::length_error("trie");
    entries_.push_back(Entry{0, kNoEntry});
    return static_cast<std::uint32_t>(entries_.size() - 1);
  }

  void Release(std::uint32_t entry) {
    entries_[entry].next = free_entry_;
    free_entry_ = entry;
  }

  // Moves the tokens waiting at `node` one level down, all but the one whose
  // next segment is not complete yet; that one stays and is compared with the
  // word directly. `word_boundary` is where the word meets the node's
  // boundary, `edge` its folded byte there.
  bool Descend(std::uint32_t node, unsigned char edge,
               std::size_t word_boundary) {
    const std::uint32_t waiting = nodes_[node].waiting;
    nodes_[node].waiting = kNoneWaiting;
    if (waiting == kFirstWaiting) {
      return MoveDown(node, nodes_[node].start + SegmentLength(node), kNoEntry,
                      edge, word_boundary);
    }
    bool repeat = false;
    for (std::uint32_t entry = waiting - 2; entry != kNoEntry;) {
      const std::uint32_t next = entries_[entry].next;
      repeat |=
          MoveDown(node, entries_[entry].boundary, entry, edge, word_boundary);
      entry = next;
    }
    return repeat;
  }

  bool MoveDown(std::uint32_t node, std::size_t boundary, std::uint32_t entry,
                unsigned char edge, std::size_t word_boundary) {
    if (boundary == last_boundary_) {
      if (entry == kNoEntry) {
        nodes_[node].waiting = kFirstWaiting;
      } else {
        const std::uint32_t waiting = nodes_[node].waiting;
        entries_[entry].next = waiting == kNoneWaiting ? kNoEntry : waiting - 2;
        nodes_[node].waiting = entry + 2;
      }
      return Fold(buffer_[boundary]) == edge &&
             SameTail(boundary + 1, word_boundary + 1);
    }
    const std::size_t start = boundary + 1;
    std::size_t end = start;
    while (!boundary_[Byte(buffer_[end])]) ++end;
    const std::size_t length = end - start;
    bool created = false;
    const std::uint32_t child =
        FindOrAdd(node + 1, Fold(buffer_[boundary]), length,
                  SegmentKey(buffer_ + start, length), start, created);
    Arrive(child, end, created, entry);
    return false;
  }

  // The comparison of a kept token with the word from kept position `x` and
  // text position `y` on, both bytes before being equal; the kept text goes
  // on with the word itself.
  bool SameTail(std::size_t x, std::size_t y) const {
    for (;; ++x, ++y) {
      const char kept = x < w_ ? buffer_[x] : buffer_[r_ + (x - w_)];
      if (IsMark(kept) && IsMark(buffer_[y])) return true;
      if (Fold(kept) != Fold(buffer_[y])) return false;
    }
  }

  // Walks the word at r_ down the trie, `key` being that of its first
  // segment, which ends at `segment_end`.
  bool IsRepeat(std::size_t segment_end, std::uint64_t key) {
    std::uint32_t node = FindRoot(segment_end - r_, key, buffer_ + r_);
    std::size_t boundary = segment_end;
    while (node != kNoNode) {
      const char here = buffer_[boundary];
      if (IsMark(here) && HasMark(node)) return true;
      const unsigned char edge = Fold(here);
      if (edge == 0x20) return false;
      if (nodes_[node].waiting != kNoneWaiting &&
          Descend(node, edge, boundary)) {
        return true;
      }
      const std::size_t start = boundary + 1;
      std::size_t end = start;
      while (!boundary_[Byte(buffer_[end])]) ++end;
      node = Find(node + 1, edge, end - start,
                  SegmentKey(buffer_ + start, end - start), buffer_ + start);
      boundary = end;
    }
    return false;
  }

  std::string& text_;
  char* const buffer_;
  const std::size_t end_;
  std::size_t r_ = 0;
  std::size_t w_ = 0;
  const std::array<bool, 256> boundary_;
  ByteMasks masks_;
  // The first boundary of the last word looked at.
  std::size_t segment_end_ = 0;
  // Words looked at ahead: ahead_count_ of them from ahead_first_ on in
  // ahead_, followed by the one at ahead_next_.
  std::array<Word, kAhead> ahead_{};
  std::size_t ahead_first_ = 0;
  std::size_t ahead_count_ = 0;
  std::size_t ahead_next_ = 0;
  std::size_t last_boundary_ = kNone;  // the last boundary before w_
  std::vector<Node> nodes_;
  NodeIndex index_;
  std::vector<Entry> entries_;
  std::uint32_t free_entry_ = kNoEntry;
  std::array<RootCacheEntry, std::size_t{1} << kRootCacheBits> root_cache_{};
  // The hash of the next word's first segment, when it is long and shared.
  std::size_t chain_start_ = kNone;
  std::size_t chain_end_ = 0;
  std::uint64_t chain_hash_ = 0;
  // Text bytes [checked_from_, checked_to_) equal the kept bytes
  // checked_shift_ before them.
  std::size_t checked_from_ = 0;
  std::size_t checked_to_ = 0;
  std::size_t checked_shift_ = 0;
};

}  // namespace

void RemoveDuplicateWords(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  DuplicateWordRemover remover(*document.text);
  ReportingLackOfMemory(messages, [&] { remover.Run(); });
  remover.Finish();
}

}  // namespace quor
