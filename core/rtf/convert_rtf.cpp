#include "core/rtf/convert_rtf.h"

#include <string>

namespace quor {

void ConvertRtfDocument(TextDocument& document, RtfSession& session,
                        Messages& messages) {
  if (!document.text) return;
  // The text can never be longer than the document's length, so this is the
  // only allocation for it.
  const std::int64_t room = document.Length();
  std::string text;
  // The reader's tables need memory too; whatever runs out, the document and
  // the character set stay as they were.
  RtfCharset charset = session.charset;
  const bool converted = ReportingLackOfMemory(messages, [&] {
    text.reserve(static_cast<std::size_t>(room));
    WriteRtfText(*document.text, room, charset, text, messages);
  });
  if (!converted) return;
  session.charset = charset;
  document.text = std::move(text);
}

}  // namespace quor
