#include "core/app/window_title.h"

#include "core/app/version.h"
#include "core/files/document_encoding.h"

namespace quor {

std::string WindowTitle(const TextDocument& document,
                        std::string_view document_path, bool modified) {
  const std::string_view name =
      document_path.substr(document_path.rfind('/') + 1);
  std::string title(name.empty() ? kNameAndVersion : name);
  if (modified) title += '*';
  if (!name.empty()) {
    title += " – ";
    title += kNameAndVersion;
  }
  if (document.encoding != TextEncoding::kCp1252) {
    title += " (";
    title += EncodingName(document.encoding);
    title += ')';
  }
  return title;
}

}  // namespace quor
