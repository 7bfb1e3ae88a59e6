#include "core/files/file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/files/file_writes.h"
#include "core/files/save_target.h"
#include "core/files/temporary_file.h"

namespace quor {
namespace {

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

enum class Replacement {
  kDone,
  kRefused,      // the folder or the file's attributes do not allow it
  kWriteFailed,  // the contents could not be written (disk full, limits)
};

// The new contents in a file of their own, complete and flushed, renamed
// over the old file, and the folder flushed.
Replacement Replace(LoadedFile& file, const SaveTarget& target,
                    std::string_view bytes) {
  TemporaryFile made(file.folder.get());
  struct stat made_info;
  if (!made.Open(target.writable.get(), target.info, made_info)) {
    return Replacement::kRefused;
  }
  if (!WriteAll(made.fd(), bytes, 0) || ::fsync(made.fd()) != 0) {
    return Replacement::kWriteFailed;
  }
  if (!made.RenameOver(file.name)) return Replacement::kRefused;
  struct stat saved;
  if (::fstat(made.fd(), &saved) == 0) file.stamp = StampOf(saved);
  return FlushFolder(file.folder.get()) ? Replacement::kDone
                                        : Replacement::kWriteFailed;
}

SaveStatus SaveInPlace(LoadedFile& file, int fd, std::string_view bytes) {
  struct stat now;
  if (!WriteInPlace(fd, bytes, /*flush=*/true) || ::fstat(fd, &now) != 0) {
    return SaveStatus::kFailed;
  }
  file.stamp = StampOf(now);
  return SaveStatus::kSaved;
}

SaveStatus Create(LoadedFile& file, std::string_view bytes) {
  const int folder = file.folder.get();
  UniqueFd fd(::openat(folder, file.name.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       NewFileMode()));
  if (!fd.valid()) return SaveStatus::kFailed;
  struct stat made;
  if (!WriteAll(fd.get(), bytes, 0) || ::fsync(fd.get()) != 0 ||
      ::fstat(fd.get(), &made) != 0 || !FlushFolder(folder)) {
    ::unlinkat(folder, file.name.c_str(), 0);
    return SaveStatus::kFailed;
  }
  file.stamp = StampOf(made);
  return SaveStatus::kSaved;
}

}  // namespace

SaveStatus SaveFile(LoadedFile& file, std::string_view bytes,
                    bool check_stamp) {
  SaveTarget target;
  switch (OpenSaveTarget(file, check_stamp, target)) {
    case TargetState::kOpen:
      break;
    case TargetState::kMissing:
      return Create(file, bytes);
    case TargetState::kChanged:
      return SaveStatus::kChanged;
    case TargetState::kFailed:
      return SaveStatus::kFailed;
  }
  if (!S_ISREG(target.info.st_mode)) {
    return WriteStream(target.writable.get(), bytes) ? SaveStatus::kSaved
                                                     : SaveStatus::kFailed;
  }
  if (target.replaceable) {
    switch (Replace(file, target, bytes)) {
      case Replacement::kDone:
        return SaveStatus::kSaved;
      case Replacement::kWriteFailed:
        return SaveStatus::kFailed;
      case Replacement::kRefused:
        break;
    }
  }
  return SaveInPlace(file, target.writable.get(), bytes);
}

}  // namespace quor
