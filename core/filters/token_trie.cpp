#include "core/filters/token_trie.h"

#include <stdexcept>

#include "core/filters/folded_hash.h"

namespace quor::duplicate_words_detail {

TokenTrie::TokenTrie(const char* text, std::size_t size,
                     const std::array<bool, 256>& boundary,
                     const Progress& progress)
    : buffer_(text),
      end_(text + size),
      boundary_(boundary),
      progress_(progress) {}

void TokenTrie::Enter(std::size_t start, std::size_t length, std::uint64_t key,
                      std::size_t boundary) {
  bool created = false;
  const std::uint32_t node = FindOrAdd(0, 0, length, key, start, created);
  Arrive(node, boundary, created, kNoEntry);
}

// Whether `node` is the child of `parent` along the folded `edge` byte and
// the `length` bytes at `segment`.
bool TokenTrie::Matches(std::uint32_t node, std::uint32_t parent,
                        unsigned char edge, std::size_t length,
                        std::uint64_t key, const char* segment) {
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
  if (at >= progress_.r && at >= checked_from_ && at + length <= checked_to_ &&
      at - n.start == checked_shift_) {
    return true;
  }
  if (!SameFolded(segment, start, length)) return false;
  if (at >= progress_.r) {
    checked_from_ = at;
    checked_to_ = at + length;
    checked_shift_ = at - n.start;
  }
  return true;
}

std::uint32_t TokenTrie::Find(std::uint32_t parent, unsigned char edge,
                              std::size_t length, std::uint64_t key,
                              const char* segment) {
  return index_.Find(SlotHash(parent, edge, length, key),
                     [&](std::uint32_t node) {
                       return Matches(node, parent, edge, length, key, segment);
                     });
}

std::uint32_t TokenTrie::FindOrAdd(std::uint32_t parent, unsigned char edge,
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
void TokenTrie::Arrive(std::uint32_t node, std::size_t boundary, bool created,
                       std::uint32_t entry) {
  if (IsMark(buffer_[boundary])) nodes_[node].length_mark |= 1;
  if (Fold(buffer_[boundary]) == 0x20 || created) {
    if (entry != kNoEntry) Release(entry);
    if (Fold(buffer_[boundary]) != 0x20) nodes_[node].waiting = kFirstWaiting;
    return;
  }
  if (nodes_[node].waiting == kFirstWaiting) {
    const std::uint32_t first = Acquire();
    entries_[first] = Entry{nodes_[node].start + SegmentLength(node), kNoEntry};
    nodes_[node].waiting = first + 2;
  }
  if (entry == kNoEntry) entry = Acquire();
  const std::uint32_t waiting = nodes_[node].waiting;
  entries_[entry] =
      Entry{boundary, waiting == kNoneWaiting ? kNoEntry : waiting - 2};
  nodes_[node].waiting = entry + 2;
}

std::uint32_t TokenTrie::Acquire() {
  if (free_entry_ != kNoEntry) {
    const std::uint32_t entry = free_entry_;
    free_entry_ = entries_[entry].next;
    return entry;
  }
  if (entries_.size() >= kNoEntry - 2) throw std::length_error("trie");
  entries_.push_back(Entry{0, kNoEntry});
  return static_cast<std::uint32_t>(entries_.size() - 1);
}

void TokenTrie::Release(std::uint32_t entry) {
  entries_[entry].next = free_entry_;
  free_entry_ = entry;
}

// Moves the tokens waiting at `node` one level down, all but the one whose
// next segment is not complete yet; that one stays and is compared with the
// word directly. `word_boundary` is where the word meets the node's
// boundary, `edge` its folded byte there.
bool TokenTrie::Descend(std::uint32_t node, unsigned char edge,
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

bool TokenTrie::MoveDown(std::uint32_t node, std::size_t boundary,
                         std::uint32_t entry, unsigned char edge,
                         std::size_t word_boundary) {
  if (boundary == progress_.last_boundary) {
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
                SegmentKey(buffer_ + start, length, end_), start, created);
  Arrive(child, end, created, entry);
  return false;
}

// The comparison of a kept token with the word from kept position `x` and
// text position `y` on, both bytes before being equal; the kept text goes
// on with the word itself.
bool TokenTrie::SameTail(std::size_t x, std::size_t y) const {
  for (;; ++x, ++y) {
    const char kept =
        x < progress_.w ? buffer_[x] : buffer_[progress_.r + (x - progress_.w)];
    if (IsMark(kept) && IsMark(buffer_[y])) return true;
    if (Fold(kept) != Fold(buffer_[y])) return false;
  }
}

}  // namespace quor::duplicate_words_detail
