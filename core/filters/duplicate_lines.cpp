#include "core/filters/duplicate_lines.h"

#include <sys/mman.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "core/filters/byte_scan.h"
#include "core/filters/hash_mix.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  return MixHash(h);
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

// The number of runs of CR and LF bytes in [p, end): every kept line but the
// last ends in one of its own, so this bounds the size of the index.
std::size_t CountBreakRuns(const char* p, const char* end) {
  std::size_t runs = 0;
  bool in_run = false;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  unsigned carry = 0;
  while (end - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto breaks = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
    // Seldom more than one run starts in 16 bytes of text.
    for (unsigned starts = breaks & ~((breaks << 1) | carry); starts != 0;
         starts &= starts - 1) {
      ++runs;
    }
    carry = breaks >> 15;
    p += 16;
  }
  in_run = carry != 0;
#endif
  for (; p < end; ++p) {
    const bool is_break = IsBreak(*p);
    runs += is_break && !in_run ? 1 : 0;
    in_run = is_break;
  }
  return runs;
}

// A zeroed array that lies on huge pages where the system offers them: the
// index is probed at random, and on small pages nearly every probe of a large
// index would miss the address translation as well as the cache.
template <typename T>
class ZeroedArray {
 public:
  explicit ZeroedArray(std::size_t size)
      : data_(static_cast<T*>(std::calloc(size, sizeof(T)))) {
    if (!data_) throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    // Fresh memory of this size is not yet touched, so the hint still counts.
    // Only a hint: small pages work as well, only slower.
    constexpr std::uintptr_t kPage = 4096;
    constexpr std::uintptr_t kHugePage = 2 << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data_.get());
    const std::uintptr_t first = (begin + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t last = (begin + size * sizeof(T)) & ~(kPage - 1);
    if (last > first && last - first >= kHugePage) {
      madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
  }

  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }

 private:
  struct Free {
    void operator()(T* p) const { std::free(p); }
  };
  std::unique_ptr<T[], Free> data_;
};

// Open-addressing index of the kept lines by the hash of their content, at
// most two thirds full. The start of each kept line is enough: its content
// and break run are read back from the kept text, whose lines never change
// except that the last one can still take more break bytes. The starts live
// in `Offset` slots, and a byte array beside them holds eight bits of each
// line's hash (never 0, which marks a free slot). The probes mostly stay in
// that byte array, and only a matching byte leads to the slot and the text.
template <typename Offset>
class LineIndex {
 public:
  // Room for `lines` lines. Throws std::bad_alloc without it.
  explicit LineIndex(std::size_t lines)
      : size_(lines + lines / 2 + 1), marks_(size_), starts_(size_) {}

  template <typename Visit>
  void ForEach(std::uint64_t hash, Visit visit) const {
    const std::uint8_t mark = Mark(hash);
    for (std::size_t i = Home(hash);; i = Next(i)) {
      const std::uint8_t found = marks_[i];
      if (found == 0) return;
      if (found == mark) visit(static_cast<std::size_t>(starts_[i]));
    }
  }

  // Brings the first probe for `hash` into the cache ahead of time.
  void Prefetch(std::uint64_t hash) const {
    const std::size_t home = Home(hash);
    __builtin_prefetch(&marks_[home]);
    __builtin_prefetch(&starts_[home]);
  }

  void Add(std::uint64_t hash, std::size_t start) {
    std::size_t i = Home(hash);
    while (marks_[i] != 0) i = Next(i);
    marks_[i] = Mark(hash);
    starts_[i] = static_cast<Offset>(start);
  }

 private:
  // The high half of the hash scaled to the size, without a division as long
  // as the product fits.
  std::size_t Home(std::uint64_t hash) const {
    return size_ <= std::numeric_limits<std::uint32_t>::max()
               ? static_cast<std::size_t>(((hash >> 32) * size_) >> 32)
               : static_cast<std::size_t>(hash % size_);
  }

  std::size_t Next(std::size_t i) const { return i + 1 == size_ ? 0 : i + 1; }

  static std::uint8_t Mark(std::uint64_t hash) {
    const auto mark = static_cast<std::uint8_t>(hash);
    return mark == 0 ? 1 : mark;
  }

  const std::size_t size_;
  ZeroedArray<std::uint8_t> marks_;
  ZeroedArray<Offset> starts_;
};

template <typename Offset>
class DuplicateLineRemover {
 public:
  explicit DuplicateLineRemover(std::string& text)
      : text_(text), buffer_(text.data()), end_(text.size()) {}

  // Goes through the text, reading at r_ and writing the kept lines at w_.
  // On return, everything before w_ is the result and r_ the first byte not
  // yet looked at, even when there was no memory for the index.
  void Run() {
    r_ = LineEnd(0);
    w_ = r_;
    if (r_ == end_) return;
    index_ = std::make_unique<LineIndex<Offset>>(
        CountBreakRuns(buffer_, buffer_ + end_));
    index_->Add(HashContent(buffer_, ContentEnd(0)), 0);
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
        index_->Prefetch(line.hash);
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
      if (line.content_end > r_ && line.end < end_) index_->Add(line.hash, w_);
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
    index_->ForEach(line.hash, [&](std::size_t start) {
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
  std::unique_ptr<LineIndex<Offset>> index_;
};

template <typename Offset>
void Remove(std::string& text, Messages& messages) {
  DuplicateLineRemover<Offset> remover(text);
  ReportingLackOfMemory(messages, [&] { remover.Run(); });
  remover.Finish();
}

}  // namespace

void RemoveDuplicateLines(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  // Half the index is the starts of the lines: four bytes each will do for
  // all but the largest texts.
  if (document.text->size() <= std::numeric_limits<std::uint32_t>::max()) {
    Remove<std::uint32_t>(*document.text, messages);
  } else {
    Remove<std::size_t>(*document.text, messages);
  }
}

}  // namespace quor
