#pragma once

#include <sys/types.h>

#include <string_view>

namespace quor {

// Writes all of `bytes` at `offset`, going on after short writes and
// signals. False on any error (disk full, file size limit).
bool WriteAll(int fd, std::string_view bytes, off_t offset);

// Writes all of `bytes` at the current position, for what cannot seek.
bool WriteStream(int fd, std::string_view bytes);

// Flushes the folder `folder` (opened in any way, O_PATH too): the names it
// holds are on disk when this returns true.
bool FlushFolder(int folder);

// Makes `bytes` the whole contents of the file `fd` without replacing it:
// room taken first, so that a full disk leaves the old contents; written,
// then cut to length, then, with `flush`, flushed to disk.
bool WriteInPlace(int fd, std::string_view bytes, bool flush);

}  // namespace quor
