#include "core/filters/text_document.h"

#include <new>

namespace quor {

void TakeUndoCopy(const TextDocument& document, UndoCopy& undo) {
  if (!document.text) return;
  undo.text.reset();
  try {
    undo.text = *document.text;
    undo.encoding = document.encoding;
  } catch (const std::bad_alloc&) {
    undo.text.reset();
  }
}

bool RestoreUndoCopy(const UndoCopy& undo, TextDocument& document,
                     Messages& messages) {
  if (!undo.text || !document.text) return false;
  try {
    document.text->assign(*undo.text);
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  document.encoding = undo.encoding;
  return true;
}

}  // namespace quor
