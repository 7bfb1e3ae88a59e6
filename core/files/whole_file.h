#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "core/files/loaded_file.h"
#include "core/files/unique_fd.h"

namespace quor {

enum class ReadStatus { kOk, kCannotOpen, kOutOfMemory, kHoldsZero };

// What a read does with zero bytes. The program's texts cannot hold one, and
// cutting there would lose the rest on the next save, so a text file with one
// is refused (kHoldsZero). Reading then stops at that byte, so that even a
// huge file of zeros is refused at once. In UTF-16 zero bytes are part
// of the characters; whether the text holds a zero is found after decoding.
enum class ZeroBytes { kKept, kRefused, kRefusedUnlessUtf16 };

// Reads the file at `path` whole into `bytes` (which is left alone unless the
// read succeeds) and, when asked, the file's stamp as it was opened, so that
// a write during the read shows as a change later. Only
// a regular file is read: a folder, pipe, socket or device is kCannotOpen at
// once, without waiting for a writer.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         ZeroBytes zero_bytes, FileStamp* stamp = nullptr);

// Opens the file at `path` for reading when it is a regular file; an invalid
// descriptor for anything else (a folder, pipe, socket or device), at once,
// without waiting for a writer. `info` is the file's as it was opened.
UniqueFd OpenRegularFile(const std::string& path, struct stat& info);

// Reads `fd` from where it stands to its end and appends what it gives to
// `bytes`; a zero byte among the new ones is refused as by ReadWholeFile,
// the bytes held before counting for a UTF-16 mark. On failure `bytes` may
// hold part of what was read.
ReadStatus ReadToEnd(int fd, std::string& bytes, ZeroBytes zero_bytes);

// Reads standard input to its end into `bytes` (left alone unless the read
// succeeds), whatever it is: a file, a pipe or a terminal.
ReadStatus ReadStandardInput(std::string& bytes, ZeroBytes zero_bytes);

// Replaces the contents of the file at `path` by `bytes`, or creates it, as
// SaveFile does; a symbolic link is followed to the file it names, once.
// Returns false when the file could not be written completely.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace quor
