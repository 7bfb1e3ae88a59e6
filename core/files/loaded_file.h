#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

#include "core/files/unique_fd.h"

namespace quor {

// What identifies the contents of a file as they were read: a later save
// can tell whether the name still names that file and whether anyone wrote
// to it since.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  struct timespec modified = {};
};

FileStamp StampOf(const struct stat& info);

bool SameFile(const FileStamp& a, const FileStamp& b);
bool SameContents(const FileStamp& a, const FileStamp& b);

// The file a document was loaded from: its folder, held open so that a save
// never resolves the path again (a folder or link swapped in the meantime
// leads nowhere), its name in that folder and its stamp at the read.
struct LoadedFile {
  UniqueFd folder;
  std::string name;
  FileStamp stamp;
};

// The folder and name that `path` leads to, symbolic links resolved once,
// now; `stamp` is that of the file as it was read. Absent when the path no
// longer leads to that file.
std::optional<LoadedFile> LocateLoadedFile(const std::string& path,
                                           const FileStamp& stamp);

// The folder that holds what `path` names and the name in it: links in the
// folder part and a link as the last part are followed, once, now. A
// missing last part is fine (a new file). Absent when the folder cannot be
// opened.
std::optional<LoadedFile> LocateFileToWrite(const std::string& path);

}  // namespace quor
