#include "core/files/word_lists.h"

#include <unistd.h>

#include <cstddef>
#include <new>
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

// A list in a character set other than the document's would match nothing,
// so it is turned into Windows-1252 like a document, where it can be.
std::optional<std::string> DecodedList(std::string bytes, bool ansi,
                                       const std::string& path,
                                       std::int32_t& enabled,
                                       Messages& messages) {
  if (ansi) return bytes;
  try {
    if (DecodeDocument(bytes, CharacterSet::kAuto).status ==
        DecodeStatus::kHoldsZero) {
      WarnOfZeroBytes(path, messages);
      return std::nullopt;
    }
  } catch (const std::bad_alloc&) {
    enabled = 0;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::optional<std::string> LoadWordList(const std::string& path,
                                        CharacterSet set, std::int32_t& enabled,
                                        Messages& messages) {
  if (::access(path.c_str(), F_OK) != 0) {
    enabled = 0;
    return std::nullopt;
  }
  std::string bytes;
  const bool ansi = set == CharacterSet::kAnsi;
  const ZeroBytes zero_bytes =
      ansi ? ZeroBytes::kRefused : ZeroBytes::kRefusedUnlessUtf16;
  switch (ReadWholeFile(path, bytes, zero_bytes)) {
    case ReadStatus::kOk:
      return DecodedList(std::move(bytes), ansi, path, enabled, messages);
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
