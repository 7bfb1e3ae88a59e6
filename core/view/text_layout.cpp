#include "core/view/text_layout.h"

#include <algorithm>

#include "core/filters/byte_classes.h"
#include "core/filters/byte_scan.h"
#include "core/filters/char_classes.h"

namespace quor {
namespace {

class LineCounter {
 public:
  void Add(std::int64_t) { ++starts_; }
  std::int64_t starts() const { return starts_; }

 private:
  std::int64_t starts_ = 0;
};

class LineRecorder {
 public:
  explicit LineRecorder(std::span<std::int64_t> index)
      : next_(index.data()), end_(index.data() + index.size()) {
    if (next_ != end_) *next_++ = 0;
  }
  void Add(std::int64_t offset) {
    if (next_ != end_) *next_++ = offset;
  }

 private:
  std::int64_t* next_;
  std::int64_t* end_;
};

// The end of the break that starts at `brk`: CR LF is one break, any other
// break character one on its own.
const char* AfterBreak(const char* brk, const char* end) {
  return *brk == '\r' && brk + 1 != end && brk[1] == '\n' ? brk + 2 : brk + 1;
}

// Without wrapping only the breaks matter, so the walk jumps from break to
// break; the column counter is the distance from the line's start.
template <typename Sink>
std::int64_t WalkUnwrapped(std::string_view text, Sink& sink) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* line = begin;
  std::int64_t widest = 0;
  for (;;) {
    const char* brk = FindLineBreak(line, end);
    widest = std::max<std::int64_t>(widest, brk - line);
    if (brk == end) return widest;
    line = AfterBreak(brk, end);
    sink.Add(line - begin);
  }
}

// Where the line that is full at `p` (an ordinary character) ends: before the
// word running across the limit, unless that word began the line.
const char* WrapPoint(const char* line, const char* p) {
  if (!IsLetterByte(*p)) return p;
  const char* word = p;
  while (word != line && IsLetterByte(word[-1])) --word;
  return word == line ? p : word;
}

// Runs of ordinary characters are skipped in one step, up to the remaining
// width or the next break character, whichever comes first; the next break
// is searched once and kept until the walk passes it. The column is always
// below the width at the top of the loop, so every round moves on.
template <typename Sink>
std::int64_t WalkWrapped(std::string_view text, std::int64_t width,
                         Sink& sink) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* line = begin;
  const char* p = begin;
  const char* next_break = FindLineBreak(p, end);
  std::int64_t column = 0;
  std::int64_t widest = 0;
  while (p != end) {
    if (next_break < p) next_break = FindLineBreak(p, end);
    p += std::min(width - column, next_break - p);
    column = p - line;
    if (p == end) break;
    const char* const next_line =
        p == next_break ? AfterBreak(p, end) : WrapPoint(line, p);
    widest = std::max<std::int64_t>(widest, std::min(p, next_line) - line);
    if (p == next_break) p = next_line;
    line = next_line;
    sink.Add(line - begin);
    column = p - line;
  }
  return std::max(widest, column);
}

template <typename Sink>
std::int64_t Walk(std::string_view text, std::optional<int> wrap_width,
                  Sink& sink) {
  return wrap_width ? WalkWrapped(text, std::max(*wrap_width, 1), sink)
                    : WalkUnwrapped(text, sink);
}

}  // namespace

LayoutCount CountLayout(std::string_view text, std::optional<int> wrap_width) {
  LineCounter counter;
  const std::int64_t widest = Walk(text, wrap_width, counter);
  return {counter.starts(), widest};
}

void IndexLayout(std::string_view text, std::optional<int> wrap_width,
                 std::span<std::int64_t> index) {
  LineRecorder recorder(index);
  Walk(text, wrap_width, recorder);
}

}  // namespace quor
