#pragma once

#include <sys/stat.h>

#include "core/files/loaded_file.h"
#include "core/files/unique_fd.h"

namespace quor {

// The file a save is about to write, opened through its folder.
struct SaveTarget {
  UniqueFd writable;
  struct stat info = {};  // of `writable`
  // Whether the file may be replaced by a new file: a regular file with one
  // name. Otherwise it is written in place.
  bool replaceable = false;
};

enum class TargetState {
  kOpen,
  kMissing,  // no file at the name, and the stamp was not to be checked
  kChanged,  // the name no longer leads to the loaded file as it was read
  kFailed,
};

// Opens `file.name` in `file.folder` for writing, never through a link.
// With `check_stamp`, the file must be the one of `file.stamp`, unchanged.
TargetState OpenSaveTarget(const LoadedFile& file, bool check_stamp,
                           SaveTarget& target);

// Whether the file at `file.name` is still the one `target` holds, as it
// was read: unchanged since the load and not swapped for another.
bool StillAsLoaded(const LoadedFile& file, const SaveTarget& target);

}  // namespace quor
