#include "core/filters/duplicate_words.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/filters/byte_classes.h"
#include "core/filters/byte_masks.h"
#include "core/filters/folded_hash.h"
#include "core/filters/token_trie.h"

// The kept text and the word being judged are compared through a trie of the
// kept tokens (see token_trie.h); the filter walks the text word by word,
// moves what it keeps forward and feeds the trie each kept token once its
// first segment is complete.

namespace quor {
namespace duplicate_words_detail {
namespace {

class DuplicateWordRemover {
 public:
  explicit DuplicateWordRemover(std::string& text)
      : text_(text),
        buffer_(text.data()),
        end_(text.size()),
        boundary_(BoundaryTable(buffer_, end_)),
        masks_(buffer_, end_, boundary_),
        trie_(buffer_, end_, boundary_, progress_) {}

  // Goes through the text, reading at progress_.r and writing the kept text at
  // progress_.w. On return everything before progress_.w is the result and
  // progress_.r the first byte not yet looked at, also when the index ran out
  // of memory on the way.
  void Run() {
    progress_.r = masks_.NextLetter(masks_.NextNonLetter(0));
    progress_.w = progress_.r;
    const std::size_t first_boundary = masks_.NextBoundary(0);
    if (first_boundary < progress_.w) {
      std::size_t last = progress_.w - 1;
      while (!boundary_[Byte(buffer_[last])]) --last;
      NoteKeptBoundaries(first_boundary, last);
    }
    while (progress_.r < end_) {
      const Word word = NextWord();
      if (!trie_.IsRepeat(word.segment_end, word.key)) Keep(word.end);
      progress_.r = word.end;
      if (word.segment_end < word.next) {
        std::size_t last = word.next - 1;
        while (!boundary_[Byte(buffer_[last])]) --last;
        const std::size_t run_start = progress_.w;
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
    text_.resize(progress_.w);
  }

 private:
  // A word of the text: where its letters end, its first boundary, and where
  // the next word starts (or the end).
  struct Word {
    std::size_t end;
    std::size_t segment_end;
    std::size_t next;
    std::uint64_t key;  // of the first segment, up to segment_end
  };
  static constexpr std::size_t kAhead = 8;

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

  // The word at progress_.r. While the index is too big for the cache, words
  // are looked at some way ahead of their turn, and the index slots that they
  // will need are fetched meanwhile.
  Word NextWord() {
    if (ahead_count_ == 0 && !trie_.Big()) return Look(progress_.r);
    if (ahead_count_ == 0) ahead_next_ = progress_.r;
    for (; ahead_count_ < kAhead && ahead_next_ < end_; ++ahead_count_) {
      Word& word = ahead_[(ahead_first_ + ahead_count_) % kAhead];
      const std::size_t start = ahead_next_;
      word = Look(start);
      __builtin_prefetch(trie_.RootHome(word.segment_end - start, word.key));
      ahead_next_ = word.next;
    }
    const Word word = ahead_[ahead_first_];
    ahead_first_ = (ahead_first_ + 1) % kAhead;
    --ahead_count_;
    return word;
  }

  void Keep(std::size_t to) {
    const std::size_t count = to - progress_.r;
    if (progress_.w != progress_.r) {
      // Most runs are a few bytes and the gap behind the reading position is
      // wide, so one unaligned block move does.
      if (count <= 16 && progress_.r - progress_.w >= 16 &&
          end_ - progress_.r >= 16) {
        char block[16];
        std::memcpy(block, buffer_ + progress_.r, 16);
        std::memcpy(buffer_ + progress_.w, block, 16);
      } else {
        std::memmove(buffer_ + progress_.w, buffer_ + progress_.r, count);
      }
    }
    progress_.w += count;
    progress_.r = to;
  }

  // New kept bytes hold boundaries from `first` to `last`: the kept tokens
  // up to the first one enter the trie.
  void NoteKeptBoundaries(std::size_t first, std::size_t last) {
    if (progress_.last_boundary == kNone ||
        first > progress_.last_boundary + 1) {
      EnterTokensBefore(first);
    }
    progress_.last_boundary = last;
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
    const std::size_t low =
        progress_.last_boundary == kNone ? 0 : progress_.last_boundary + 1;
    // Nearest token first, so each longer segment's hash extends the last.
    std::size_t hashed_from = boundary;
    std::uint64_t hash = 0;
    for (std::size_t p = boundary; p > low;) {
      --p;
      if (!IsTokenStart(p)) continue;
      const std::size_t length = boundary - p;
      std::uint64_t key;
      if (length <= 8) {
        key = ShortKey(buffer_ + p, length, buffer_ + end_);
      } else {
        const std::uint64_t head = Hash(buffer_ + p, hashed_from - p);
        hash = head * Power(boundary - hashed_from) + hash;
        hashed_from = p;
        key = hash;
      }
      trie_.Enter(p, length, key, boundary);
    }
  }

  // The key of the first segment of the word at `start`, which ends at
  // `segment_end`. Words that share a long segment get theirs from the one
  // before: the hash of the segment less that of the bytes up to the next word.
  std::uint64_t FirstSegmentKey(std::size_t start, std::size_t segment_end,
                                std::size_t next_word) {
    const std::size_t length = segment_end - start;
    const bool chained = chain_start_ == start && chain_end_ == segment_end;
    chain_start_ = kNone;
    if (length <= 8) return ShortKey(buffer_ + start, length, buffer_ + end_);
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

  std::string& text_;
  char* const buffer_;
  const std::size_t end_;
  Progress progress_;
  const std::array<bool, 256> boundary_;
  ByteMasks masks_;
  TokenTrie trie_;
  // The first boundary of the last word looked at.
  std::size_t segment_end_ = 0;
  // Words looked at ahead: ahead_count_ of them from ahead_first_ on in
  // ahead_, followed by the one at ahead_next_.
  std::array<Word, kAhead> ahead_{};
  std::size_t ahead_first_ = 0;
  std::size_t ahead_count_ = 0;
  std::size_t ahead_next_ = 0;
  // The hash of the next word's first segment, when it is long and shared.
  std::size_t chain_start_ = kNone;
  std::size_t chain_end_ = 0;
  std::uint64_t chain_hash_ = 0;
};

}  // namespace
}  // namespace duplicate_words_detail

void RemoveDuplicateWords(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  duplicate_words_detail::DuplicateWordRemover remover(*document.text);
  ReportingLackOfMemory(messages, [&] { remover.Run(); });
  remover.Finish();
}

}  // namespace quor
