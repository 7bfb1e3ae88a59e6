#include "core/app/file_messages.h"

namespace quor {

void EmitFileMessages(std::FILE* errors, ProgressLine& progress,
                      std::string_view name,
                      const CollectedMessages& messages) {
  if (messages.shown().empty()) return;
  progress.Finish();
  for (const CollectedMessage& message : messages.shown()) {
    std::fprintf(errors, "quorfilter: %.*s: %s %s\n",
                 static_cast<int>(name.size()), name.data(),
                 message.caption.c_str(), message.text.c_str());
  }
  std::fflush(errors);
}

}  // namespace quor
