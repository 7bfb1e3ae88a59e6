#include "core/app/window_title.h"

#include "core/app/version.h"
#include "core/files/document_encoding.h"

namespace quor {

std::string WindowTitle(const TextDocument& document) {
  std::string title = kNameAndVersion;
  if (document.encoding != TextEncoding::kCp1252) {
    title += " (";
    title += EncodingName(document.encoding);
    title += ')';
  }
  return title;
}

}  // namespace quor
