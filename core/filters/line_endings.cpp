#include "core/filters/line_endings.h"

#include "core/filters/replace_all.h"

namespace quor {

void DosToMac(TextDocument& document, Messages& messages) {
  ReplaceAll(document, "\r\n", "\r", messages);
}

void MacToDos(TextDocument& document, Messages& messages) {
  ReplaceAll(document, "\r", "\r\n", messages);
}

void DosToUnix(TextDocument& document, Messages& messages) {
  ReplaceAll(document, "\r\n", "\n", messages);
}

void UnixToDos(TextDocument& document, Messages& messages) {
  ReplaceAll(document, "\n", "\r\n", messages);
}

}  // namespace quor
