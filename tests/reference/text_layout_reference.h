#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor::reference {

// The display-line layout walked one character at a time, exactly as the
// rules read, to check the fast walks in core/view/text_layout against.
struct Layout {
  std::vector<std::int64_t> line_index;  // 0, then every recorded line start
  std::int64_t widest_line = 0;
};

Layout LayoutWithoutWrap(const std::string& text);
Layout LayoutWithWrap(const std::string& text, int wrap_width);

}  // namespace quor::reference
