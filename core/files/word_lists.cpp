#include "core/files/word_lists.h"

#include <unistd.h>

#include <cstddef>
#include <string_view>

#include "core/files/whole_file.h"

namespace quor {
namespace {

void WarnOfZeroBytes(const std::string& path, Messages& messages) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  messages.Show(std::string(name) + " enthält Nullbytes.", kCaptionWarning);
}

}  // namespace

std::optional<std::string> LoadWordList(const std::string& path,
                                        std::int32_t& enabled,
                                        Messages& messages) {
  if (::access(path.c_str(), F_OK) != 0) {
    enabled = 0;
    return std::nullopt;
  }
  std::string bytes;
  switch (ReadWholeFile(path, bytes, ZeroBytes::kRefused)) {
    case ReadStatus::kOk:
      return bytes;
    case ReadStatus::kOutOfMemory:
      enabled = 0;
      return std::nullopt;
    case ReadStatus::kHoldsZero:
      WarnOfZeroBytes(path, messages);
      break;
    case ReadStatus::kCannotOpen:
      break;
  }
  return std::nullopt;
}

}  // namespace quor
