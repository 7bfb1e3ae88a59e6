#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/files/document_encoding.h"
#include "core/filters/messages.h"

namespace quor {

// Loads the word list at `path` whole; the result is absent when there is no
// usable list. `enabled` is the list's setting ("Exclude" or "Replace"): it is
// cleared when the file does not exist or there is no memory for it, so the
// list's button is not offered; a file that exists but cannot be read leaves
// it alone. A file holding a zero byte is not used either (its words would be
// cut there) and is reported as a warning naming the file. Unless `set` is
// ANSI, a list in UTF-8 or UTF-16 whose characters all exist in Windows-1252
// is turned into those bytes, so that it matches the documents' text; any
// other list is used as its bytes.
std::optional<std::string> LoadWordList(const std::string& path,
                                        CharacterSet set, std::int32_t& enabled,
                                        Messages& messages);

}  // namespace quor
