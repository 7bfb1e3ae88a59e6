#pragma once

#include <optional>

#include "core/app/filter_catalogue.h"
#include "core/filters/byte_map.h"
#include "core/filters/text_document.h"

namespace quor {

// Filters that are nothing but byte maps, gathered into one map so that a
// run of them takes one pass over the text; the result is the same.
class ByteMapFold {
 public:
  // Takes `filter` into the fold when it is a byte map (a filter giving
  // code-page bytes marks `document` as such at once); false when it is
  // not, and nothing was taken.
  bool Take(const FilterEntry& filter, TextDocument& document);

  // Applies what was gathered to `document` and starts anew.
  void Apply(TextDocument& document);

 private:
  std::optional<ByteTable> folded_;
};

}  // namespace quor
