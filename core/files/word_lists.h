#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor {

// Loads the word list at `path` whole; the result is absent when there is no
// usable list. `enabled` is the list's setting ("Exclude" or "Replace"): it is
// cleared when the file does not exist or there is no memory for it, so the
// list's button is not offered; a file that exists but cannot be read leaves
// it alone. A zero byte in the file ends the list.
std::optional<std::string> LoadWordList(const std::string& path,
                                        std::int32_t& enabled);

}  // namespace quor
