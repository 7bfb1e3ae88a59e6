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
    if (brk + 1 != end && IsLineBreak(static_cast<unsigned char>(brk[1]))) {
      ++brk;
    }
    line = brk + 1;
    sink.Add(line - begin);
  }
}

// The wrapping walk goes character by character in principle: an ordinary
// character below the wrap width is counted, every other position is a break
// point. Runs of counted characters are skipped in one step, up to the
// remaining width or the next break character, whichever comes first; the
// next break is searched once and kept until the walk passes it.
template <typename Sink>
std::int64_t WalkWrapped(std::string_view text, std::int64_t width,
                         Sink& sink) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  const char* next_break = FindLineBreak(p, end);
  // The character before the current one; the first character stands in for
  // it at the start.
  char previous = text.empty() ? '\0' : *begin;
  std::int64_t column = 0;
  std::int64_t widest = 0;
  while (p != end) {
    if (next_break < p) next_break = FindLineBreak(p, end);
    const std::int64_t room = width - column;
    if (room > 0 && next_break != p) {
      const char* const run_end = p + std::min(room, next_break - p);
      column += run_end - p;
      previous = run_end[-1];
      p = run_end;
      if (p == end) break;
    }
    // A break point: a break character, or the wrap width reached. A word
    // that is not yet finished is kept on this line, unless a blank came
    // right before (then no word is running).
    if (previous != ' ') {
      while (p != end && IsLetterByte(*p)) {
        ++p;
        ++column;
      }
    }
    const bool at_break =
        p != end && IsLineBreak(static_cast<unsigned char>(*p));
    if (at_break && p + 1 != end &&
        IsLineBreak(static_cast<unsigned char>(p[1]))) {
      ++p;
    }
    sink.Add((at_break ? p + 1 : p) - begin);
    widest = std::max(widest, column);
    column = 0;
    if (p == end) return widest;
    previous = *p;
    ++p;
  }
  return std::max(widest, column);
}

template <typename Sink>
std::int64_t Walk(std::string_view text, std::optional<int> wrap_width,
                  Sink& sink) {
  return wrap_width ? WalkWrapped(text, *wrap_width, sink)
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
