#include "filters/duplicate_lines.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "filters/byte_scan.h"

namespace quor {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

std::uint64_t Load8(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Maps a-z to A-Z in all eight bytes at once and leaves every other byte.
std::uint64_t ToUpper8(std::uint64_t v) {
  const std::uint64_t low7 = v & ~kHighBits;
  const std::uint64_t at_least_a = low7 + kOnes * (0x80 - 'a');
  const std::uint64_t above_z = low7 + kOnes * (0x80 - 'z' - 1);
  const std::uint64_t lower = at_least_a & ~above_z & ~v & kHighBits;
  return v ^ (lower >> 2);
}

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCD;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53;
  h ^= h >> 33;
  return h;
}

// Hash of a line's content as the comparison sees it: a-z folded to A-Z.
std::uint64_t HashContent(const char* p, std::size_t length) {
  std::uint64_t h = length * 0x9E3779B97F4A7C15;
  for (; length >= 8; p += 8, length -= 8) {
    h = (h ^ ToUpper8(Load8(p))) * 0x9FB21C651E98DF25;
    h ^= h >> 29;
  }
  if (length > 0) {
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, length);
    h = (h ^ ToUpper8(tail)) * 0x9FB21C651E98DF25;
  }
  return Mix(h);
}

bool SameContent(const char* a, const char* b, std::size_t length) {
  for (; length >= 8; a += 8, b += 8, length -= 8) {
    if (ToUpper8(Load8(a)) != ToUpper8(Load8(b))) return false;
  }
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  std::memcpy(&x, a, length);
  std::memcpy(&y, b, length);
  return ToUpper8(x) == ToUpper8(y);
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// Open-addressing index of the kept lines by the hash of their content. The
// start of each kept line is enough: its content and break run are read back
// from the kept text, whose lines never change except that the last one can
// still take more break bytes. A slot holds the line's start in its low bits
// and the top of the hash above them; the top bits also choose the home slot,
// so that doubling the table moves the entries forward in order and needs
// nothing but the slots.
class LineIndex {
 public:
  explicit LineIndex(std::size_t text_size)
      : start_bits_(static_cast<int>(std::bit_width(text_size + 1))) {}

  template <typename Visit>
  void ForEach(std::uint64_t hash, Visit visit) const {
    if (slots_.empty()) return;
    const std::uint64_t tag = Tag(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = tag >> shift_;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots_[i];
      if (slot == 0) return;
      if (Tag(slot) == tag) visit(static_cast<std::size_t>(slot - tag) - 1);
    }
  }

  // Where the search for `hash` starts, for fetching ahead of time.
  const void* Home(std::uint64_t hash) const {
    return slots_.empty() ? nullptr : &slots_[Tag(hash) >> shift_];
  }

  void Add(std::uint64_t hash, std::size_t start) {
    // At most three quarters full.
    if ((count_ + 1) * 4 > slots_.size() * 3) Grow();
    Place(slots_, shift_, Tag(hash) | (start + 1));
    ++count_;
  }

 private:
  static constexpr int kInitialBits = 10;

  std::uint64_t Tag(std::uint64_t bits) const {
    return bits >> start_bits_ << start_bits_;
  }

  static void Place(std::vector<std::uint64_t>& slots, int shift,
                    std::uint64_t slot) {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = slot >> shift;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }

  void Grow() {
    // Homes come from the bits above the start.
    if (64 - shift_ >= 64 - start_bits_) throw std::length_error("index");
    const int shift = slots_.empty() ? 64 - kInitialBits : shift_ - 1;
    std::vector<std::uint64_t> bigger(std::size_t{1} << (64 - shift));
    for (const std::uint64_t slot : slots_) {
      if (slot != 0) Place(bigger, shift, slot);
    }
    slots_.swap(bigger);
    shift_ = shift;
  }

  const int start_bits_;
  std::vector<std::uint64_t> slots_;
  int shift_ = 64;
  std::size_t count_ = 0;
};

class DuplicateLineRemover {
 public:
  explicit DuplicateLineRemover(std::string& text)
      : text_(text),
        buffer_(text.data()),
        end_(text.size()),
        index_(text.size()) {}

  // Goes through the text, reading at r_ and writing the kept lines at w_.
  // On return, everything before w_ is the result and r_ the first byte not
  // yet looked at, even when the index ran out of memory on the way.
  void Run() {
    r_ = LineEnd(0);
    w_ = r_;
    if (r_ == end_) return;
    index_.Add(HashContent(buffer_, ContentEnd(0)), 0);
    // The next few lines are measured ahead, on the guess that each line
    // starts where the one before ends, so that their index slots are on the
    // way into the cache by the time they are looked up.
    std::array<Line, kAhead> ahead;
    std::size_t first = 0;
    std::size_t count = 0;
    std::size_t guess = r_;
    while (r_ < end_) {
      if (count == 0 || ahead[first].start != r_) {
        count = 0;
        guess = r_;
      }
      for (; count < kAhead && guess < end_; ++count) {
        Line& line = ahead[(first + count) % kAhead];
        line = Measure(guess);
        __builtin_prefetch(index_.Home(line.hash));
        guess = line.end;
      }
      const Line line = ahead[first];
      first = (first + 1) % kAhead;
      --count;
      const std::size_t length = EarliestRepeat(line);
      if (length > 0) {
        r_ += length;
        continue;
      }
      // A line without content joins the break run of the kept line before
      // it; only lines with content start a new kept line.
      if (line.content_end > r_ && line.end < end_) index_.Add(line.hash, w_);
      Keep(line.end);
    }
  }

  void Finish() {
    Keep(end_);
    text_.resize(w_);
  }

 private:
  std::size_t ContentEnd(std::size_t p) const {
    return static_cast<std::size_t>(FindLineBreak(buffer_ + p, buffer_ + end_) -
                                    buffer_);
  }

  std::size_t BreaksEnd(std::size_t p) const {
    while (p < end_ && IsBreak(buffer_[p])) ++p;
    return p;
  }

  std::size_t LineEnd(std::size_t p) const { return BreaksEnd(ContentEnd(p)); }

  // A line of the text: its content [start, content_end) and its break run
  // up to `end`.
  struct Line {
    std::size_t start;
    std::size_t content_end;
    std::size_t end;
    std::uint64_t hash;  // of the content
  };
  static constexpr std::size_t kAhead = 8;

  Line Measure(std::size_t start) const {
    const std::size_t content_end = ContentEnd(start);
    return Line{start, content_end, BreaksEnd(content_end),
                HashContent(buffer_ + start, content_end - start)};
  }

  // The length of the earliest kept line that the text at r_ (`line`)
  // repeats, or 0.
  std::size_t EarliestRepeat(const Line& line) const {
    const std::size_t content = line.content_end - r_;
    std::size_t earliest = w_;
    std::size_t length = 0;
    index_.ForEach(line.hash, [&](std::size_t start) {
      if (start >= earliest) return;
      const std::size_t breaks = start + content;
      if (breaks >= w_ || !IsBreak(buffer_[breaks])) return;
      if (!SameContent(buffer_ + start, buffer_ + r_, content)) return;
      std::size_t breaks_end = breaks;
      while (breaks_end < w_ && IsBreak(buffer_[breaks_end])) ++breaks_end;
      const std::size_t run = breaks_end - breaks;
      if (run > line.end - line.content_end) return;
      if (std::memcmp(buffer_ + breaks, buffer_ + line.content_end, run) != 0) {
        return;
      }
      earliest = start;
      length = content + run;
    });
    return length;
  }

  void Keep(std::size_t to) {
    const std::size_t count = to - r_;
    if (w_ != r_) std::memmove(buffer_ + w_, buffer_ + r_, count);
    w_ += count;
    r_ = to;
  }

  std::string& text_;
  char* const buffer_;
  const std::size_t end_;
  std::size_t r_ = 0;
  std::size_t w_ = 0;
  LineIndex index_;
};

}  // namespace

void RemoveDuplicateLines(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  DuplicateLineRemover remover(*document.text);
  try {
    remover.Run();
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
  } catch (const std::length_error&) {
    messages.Show(kNoMemory, kCaptionError);
  }
  remover.Finish();
}

}  // namespace quor
