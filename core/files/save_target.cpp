#include "core/files/save_target.h"

#include <fcntl.h>

#include <cerrno>

namespace quor {

TargetState OpenSaveTarget(const LoadedFile& file, bool check_stamp,
                           SaveTarget& target) {
  const int folder = file.folder.get();
  // Opening for writing proves the right to change this file; a rename
  // alone would also replace a file its owner made read-only.
  target.writable =
      UniqueFd(::openat(folder, file.name.c_str(),
                        O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!target.writable.valid()) {
    const bool gone = errno == ENOENT;
    if (!check_stamp)
      return gone ? TargetState::kMissing : TargetState::kFailed;
    // Gone, or a link put in its place.
    return gone || errno == ELOOP ? TargetState::kChanged
                                  : TargetState::kFailed;
  }
  if (::fstat(target.writable.get(), &target.info) != 0) {
    return TargetState::kFailed;
  }
  if (check_stamp && !SameContents(StampOf(target.info), file.stamp)) {
    return TargetState::kChanged;
  }
  target.replaceable =
      S_ISREG(target.info.st_mode) && target.info.st_nlink == 1;
  return TargetState::kOpen;
}

bool StillAsLoaded(const LoadedFile& file, const SaveTarget& target) {
  struct stat now;
  struct stat at_name;
  return ::fstat(target.writable.get(), &now) == 0 &&
         SameContents(StampOf(now), file.stamp) &&
         ::fstatat(file.folder.get(), file.name.c_str(), &at_name,
                   AT_SYMLINK_NOFOLLOW) == 0 &&
         SameFile(StampOf(at_name), file.stamp);
}

}  // namespace quor
