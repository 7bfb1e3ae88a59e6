#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/filters/messages.h"

namespace quor {

// Loads the word list at `path` whole; the result is absent when there is no
// usable list. `enabled` is the list's setting ("Exclude" or "Replace"): it is
// cleared when the file does not exist or there is no memory for it, so the
// list's button is not offered; a file that exists but cannot be read leaves
// it alone. A file holding a zero byte is not used either (its words would be
// cut there) and is reported as a warning naming the file.
std::optional<std::string> LoadWordList(const std::string& path,
                                        std::int32_t& enabled,
                                        Messages& messages);

}  // namespace quor
