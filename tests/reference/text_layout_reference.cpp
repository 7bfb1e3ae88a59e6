#include "reference/text_layout_reference.h"

#include <algorithm>

#include "core/filters/char_classes.h"

namespace quor::reference {
namespace {

const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.c_str());
}

}  // namespace

Layout LayoutWithoutWrap(const std::string& text) {
  const unsigned char* s = Bytes(text);
  Layout layout{{0}, 0};
  std::int64_t counter = 0;
  for (std::int64_t p = 0; s[p] != 0; ++p) {
    if (IsLineBreak(s[p])) {
      if (IsLineBreak(s[p + 1])) ++p;
      layout.line_index.push_back(p + 1);
      layout.widest_line = std::max(layout.widest_line, counter);
      counter = 0;
    } else {
      ++counter;
    }
  }
  layout.widest_line = std::max(layout.widest_line, counter);
  return layout;
}

Layout LayoutWithWrap(const std::string& text, int wrap_width) {
  const unsigned char* s = Bytes(text);
  Layout layout{{0}, 0};
  std::int64_t p = 0;
  std::int64_t counter = 0;
  unsigned char previous = s[0];
  // The walk tests for the terminator before each step, so an empty text
  // records no line start.
  while (s[p] != 0) {
    if (!IsLineBreak(s[p]) && counter < wrap_width) {  // step 1
      ++counter;
    } else {
      if (previous != ' ') {  // step 2
        while (IsWordLetter(s[p])) {
          ++p;
          ++counter;
        }
      }
      if (IsLineBreak(s[p]) && IsLineBreak(s[p + 1])) ++p;         // step 3
      layout.line_index.push_back(IsLineBreak(s[p]) ? p + 1 : p);  // step 4
      layout.widest_line = std::max(layout.widest_line, counter);  // step 5
      counter = 0;
    }
    previous = s[p];  // step 6
    if (s[p] != 0) ++p;
  }
  layout.widest_line = std::max(layout.widest_line, counter);
  return layout;
}

}  // namespace quor::reference
