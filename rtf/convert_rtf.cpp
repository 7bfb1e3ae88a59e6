#include "rtf/convert_rtf.h"

#include <new>
#include <stdexcept>
#include <string>

namespace quor {

void ConvertRtfDocument(TextDocument& document, RtfSession& session,
                        Messages& messages) {
  if (!document.text) return;
  // The text can never be longer than the document's length, so this is the
  // only allocation for it.
  const std::int64_t room = document.Length();
  std::string text;
  try {
    text.reserve(static_cast<std::size_t>(room));
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return;
  } catch (const std::length_error&) {
    messages.Show(kNoMemory, kCaptionError);
    return;
  }
  WriteRtfText(*document.text, room, session.charset, text, messages);
  document.text = std::move(text);
}

}  // namespace quor
