#include "core/app/byte_map_fold.h"

namespace quor {

bool ByteMapFold::Take(const FilterEntry& filter, TextDocument& document) {
  if (filter.byte_map == nullptr) return false;
  folded_ =
      folded_ ? ComposeByteMaps(*folded_, *filter.byte_map) : *filter.byte_map;
  if (filter.gives_code_page_bytes) document.encoding = TextEncoding::kCp1252;
  return true;
}

void ByteMapFold::Apply(TextDocument& document) {
  if (folded_ && document.text) MapBytes(*document.text, *folded_);
  folded_.reset();
}

}  // namespace quor
