#include "core/files/word_lists.h"

#include <unistd.h>

#include "core/files/whole_file.h"

namespace quor {

std::optional<std::string> LoadWordList(const std::string& path,
                                        std::int32_t& enabled) {
  if (::access(path.c_str(), F_OK) != 0) {
    enabled = 0;
    return std::nullopt;
  }
  std::string bytes;
  switch (ReadWholeFile(path, bytes, /*stop_at_zero=*/true)) {
    case ReadStatus::kOk:
      return bytes;
    case ReadStatus::kOutOfMemory:
      enabled = 0;
      return std::nullopt;
    case ReadStatus::kCannotOpen:
      break;
  }
  return std::nullopt;
}

}  // namespace quor
