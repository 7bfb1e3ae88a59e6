#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/filters/folded_hash.h"
#include "core/filters/hash_mix.h"
#include "core/filters/node_index.h"

// How the duplicate word filter indexes its comparison.
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

namespace quor::duplicate_words_detail {

inline constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// How far the filter has got: the kept text is [0, w), its last boundary at
// last_boundary (kNone before there is one), and the word at r is judged as
// if it followed the kept text directly.
struct Progress {
  std::size_t r = 0;
  std::size_t w = 0;
  std::size_t last_boundary = kNone;
};

// A blank, a control byte or the end of the text.
inline bool IsMark(char c) { return Byte(c) < 0x21; }

// The trie of the kept tokens described above, with the index of its nodes.
class TokenTrie {
 public:
  // The trie reads the text and the filter's progress as they change.
  TokenTrie(const char* text, std::size_t size,
            const std::array<bool, 256>& boundary, const Progress& progress);

  // A kept token whose first segment is the `length` bytes from `start`,
  // keyed `key`, meets its first boundary at `boundary`. Throws
  // std::length_error or std::bad_alloc when the trie cannot grow.
  void Enter(std::size_t start, std::size_t length, std::uint64_t key,
             std::size_t boundary);

  // Whether the word at progress.r equals a kept token; `key` is that of its
  // first segment, which ends at `segment_end`. Throws as Enter does.
  bool IsRepeat(std::size_t segment_end, std::uint64_t key);

  // Whether the index is too big for the cache, so that looking up a word's
  // first node is worth fetching ahead of time.
  bool Big() const { return index_.Big(); }

  // Where the search for a word's first node starts, for fetching ahead of
  // time. The caller prefetches: GCC takes a function that does nothing but
  // prefetch for pure and drops the calls.
  const void* RootHome(std::size_t length, std::uint64_t key) const {
    return index_.Home(SlotHash(0, 0, length, key));
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
  struct RootCacheEntry {
    std::uint64_t key;
    std::uint32_t length_plus_one;  // 0: empty
    std::uint32_t node;
  };
  static constexpr int kRootCacheBits = 11;
  static constexpr std::uint32_t kNoEntry =
      std::numeric_limits<std::uint32_t>::max();
  static constexpr std::uint32_t kNoneWaiting = 0;
  static constexpr std::uint32_t kFirstWaiting = 1;

  static std::uint64_t SlotHash(std::uint32_t parent, unsigned char edge,
                                std::size_t length, std::uint64_t key) {
    return MixHash(key * 0x9FB21C651E98DF25 ^
                   (length + (std::uint64_t{edge} << 56)) * 0xD6E8FEB86659FD93 ^
                   parent);
  }

  std::size_t SegmentLength(std::uint32_t node) const {
    return nodes_[node].length_mark >> 1;
  }

  bool HasMark(std::uint32_t node) const {
    return (nodes_[node].length_mark & 1) != 0;
  }

  bool Matches(std::uint32_t node, std::uint32_t parent, unsigned char edge,
               std::size_t length, std::uint64_t key, const char* segment);
  std::uint32_t Find(std::uint32_t parent, unsigned char edge,
                     std::size_t length, std::uint64_t key,
                     const char* segment);
  RootCacheEntry& CachedRoot(std::size_t length, std::uint64_t key);
  std::uint32_t FindRoot(std::size_t length, std::uint64_t key,
                         const char* segment);
  std::uint32_t FindOrAdd(std::uint32_t parent, unsigned char edge,
                          std::size_t length, std::uint64_t key,
                          std::size_t start, bool& created);
  void Arrive(std::uint32_t node, std::size_t boundary, bool created,
              std::uint32_t entry);
  std::uint32_t Acquire();
  void Release(std::uint32_t entry);
  bool Descend(std::uint32_t node, unsigned char edge,
               std::size_t word_boundary);
  bool MoveDown(std::uint32_t node, std::size_t boundary, std::uint32_t entry,
                unsigned char edge, std::size_t word_boundary);
  bool SameTail(std::size_t x, std::size_t y) const;

  const char* const buffer_;
  const char* const end_;
  const std::array<bool, 256>& boundary_;
  const Progress& progress_;
  std::vector<Node> nodes_;
  NodeIndex index_;
  std::vector<Entry> entries_;
  std::uint32_t free_entry_ = kNoEntry;
  std::array<RootCacheEntry, std::size_t{1} << kRootCacheBits> root_cache_{};
  // Text bytes [checked_from_, checked_to_) equal the kept bytes
  // checked_shift_ before them.
  std::size_t checked_from_ = 0;
  std::size_t checked_to_ = 0;
  std::size_t checked_shift_ = 0;
};

// The walk of a word and the first step of every walk are inline: the filter
// asks for every word of the text, and a call per word costs it several
// percent on German prose. The walk is too big for GCC to inline unasked.

[[gnu::always_inline]] inline bool TokenTrie::IsRepeat(std::size_t segment_end,
                                                       std::uint64_t key) {
  std::uint32_t node =
      FindRoot(segment_end - progress_.r, key, buffer_ + progress_.r);
  std::size_t boundary = segment_end;
  while (node != kNoNode) {
    const char here = buffer_[boundary];
    if (IsMark(here) && HasMark(node)) return true;
    const unsigned char edge = Fold(here);
    if (edge == 0x20) return false;
    if (nodes_[node].waiting != kNoneWaiting && Descend(node, edge, boundary)) {
      return true;
    }
    const std::size_t start = boundary + 1;
    std::size_t end = start;
    while (!boundary_[Byte(buffer_[end])]) ++end;
    node =
        Find(node + 1, edge, end - start,
             SegmentKey(buffer_ + start, end - start, end_), buffer_ + start);
    boundary = end;
  }
  return false;
}

// Most words are short and come again and again: a small table in front
// of the index finds their first node without hashing and probing.
inline TokenTrie::RootCacheEntry& TokenTrie::CachedRoot(std::size_t length,
                                                        std::uint64_t key) {
  return root_cache_[(key + length) * 0x9E3779B97F4A7C15 >>
                     (64 - kRootCacheBits)];
}

inline std::uint32_t TokenTrie::FindRoot(std::size_t length, std::uint64_t key,
                                         const char* segment) {
  if (length > 8) return Find(0, 0, length, key, segment);
  RootCacheEntry& cached = CachedRoot(length, key);
  if (cached.length_plus_one == length + 1 && cached.key == key) {
    return cached.node;
  }
  const std::uint32_t node = Find(0, 0, length, key, segment);
  if (node != kNoNode) {
    cached = RootCacheEntry{key, static_cast<std::uint32_t>(length + 1), node};
  }
  return node;
}

}  // namespace quor::duplicate_words_detail
