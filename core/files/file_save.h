#pragma once

#include <string_view>

#include "core/files/loaded_file.h"

namespace quor {

enum class SaveStatus {
  kSaved,
  kChanged,  // the name no longer leads to the loaded file as it was read
  kFailed,
};

// Replaces the contents of the file `file.name` in `file.folder` by `bytes`,
// or creates it. With `check_stamp`, the name must still lead to the file of
// `file.stamp`, unchanged since, or nothing is written (kChanged); a link
// standing at the name is never followed. On success `file.stamp` becomes
// the saved file's.
//
// A regular file with one name is replaced through a new file that carries
// its owner, group, mode and extended attributes, so a failure at any point
// leaves the old contents whole. Where the new file cannot carry them all,
// or the folder refuses a new file or the rename, the file is written in
// place instead, keeping its identity. Either way the contents (and the
// folder, after a rename) are flushed to disk before kSaved.
SaveStatus SaveFile(LoadedFile& file, std::string_view bytes, bool check_stamp);

}  // namespace quor
