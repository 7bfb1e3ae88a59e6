#pragma once

#include <string>
#include <string_view>

namespace quor {

enum class ReadStatus { kOk, kCannotOpen, kOutOfMemory };

// Reads the file at `path` whole into `bytes` (which is left alone unless the
// read succeeds). With `stop_at_zero` reading ends at the first zero byte,
// which is not kept: the program's texts end there anyway, and this way even
// an endless source of zeros reads as a short text.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         bool stop_at_zero);

// Replaces the contents of the file at `path` by `bytes`, or creates it.
// A regular file is replaced through a temporary file beside it and a rename,
// so a failed write leaves the old contents intact; the old file's permission
// bits are kept and a symbolic link is followed to the file it names. Any
// other existing file (a device, a pipe) is written directly.
// Returns false when the file could not be written completely.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace quor
