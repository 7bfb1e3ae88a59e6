#include "reference/text_layout_reference.h"

#include <algorithm>
#include <limits>

#include "core/filters/char_classes.h"

namespace quor::reference {
namespace {

const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.c_str());
}

// The index just after the break that starts at `p`.
std::int64_t AfterBreak(const unsigned char* s, std::int64_t p) {
  return s[p] == '\r' && s[p + 1] == '\n' ? p + 2 : p + 1;
}

}  // namespace

Layout LayoutWithoutWrap(const std::string& text) {
  return LayoutWithWrap(text, std::numeric_limits<int>::max());
}

Layout LayoutWithWrap(const std::string& text, int wrap_width) {
  const unsigned char* s = Bytes(text);
  const std::int64_t width = std::max(wrap_width, 1);
  Layout layout{{0}, 0};
  std::int64_t line = 0;
  std::int64_t p = 0;
  while (s[p] != 0) {
    if (IsLineBreak(s[p])) {
      layout.widest_line = std::max(layout.widest_line, p - line);
      line = AfterBreak(s, p);
      layout.line_index.push_back(line);
      p = line;
      continue;
    }
    if (p - line == width) {
      // The line is full: a word running across the limit moves on whole,
      // unless it began the line.
      std::int64_t word = p;
      while (IsWordLetter(s[p]) && word > line && IsWordLetter(s[word - 1])) {
        --word;
      }
      const std::int64_t next = word > line ? word : p;
      layout.widest_line = std::max(layout.widest_line, next - line);
      layout.line_index.push_back(next);
      line = next;
    }
    ++p;
  }
  layout.widest_line = std::max(layout.widest_line, p - line);
  return layout;
}

}  // namespace quor::reference
