#include "core/rtf/modern_rtf.h"

#include <string>

#include "core/rtf/destination_readers.h"
#include "core/rtf/modern_rtf_reader.h"

namespace quor {

void ConvertRtfModern(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  std::string text;
  ModernRtfDamage damage;
  const bool converted = ReportingLackOfMemory(messages, [&] {
    // Markup takes most of a document's bytes: a quarter is a fair guess,
    // and the string grows when the text is denser.
    text.reserve(document.text->size() / 4);
    damage = ReadModernRtf(*document.text, text);
  });
  if (!converted) return;
  document.text = std::move(text);
  if (damage.unbalanced) messages.Show(kRtfGroupsUnbalanced, kCaptionRtfError);
  if (damage.truncated) messages.Show(kRtfFileIncomplete, kCaptionRtfError);
}

}  // namespace quor
