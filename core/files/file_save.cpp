#include "core/files/file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "core/files/file_attributes.h"
#include "core/files/pending_temporary.h"

namespace quor {
namespace {

constexpr int kNameAttempts = 100;

bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::pwrite(fd, p, left, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    offset += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

bool Flush(int fd) { return ::fsync(fd) == 0; }

bool FlushFolder(int folder) {
  const UniqueFd readable(
      ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return readable.valid() && Flush(readable.get());
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A short name (never near the file system's limit) that is free now.
std::string TemporaryName(int attempt) {
  static thread_local std::mt19937 random(std::random_device{}());
  char name[20];
  std::snprintf(
      name, sizeof name, ".qf%08x",
      static_cast<unsigned>(random()) ^ static_cast<unsigned>(attempt));
  return name;
}

// Gives the unnamed file `fd` a temporary name in `folder`.
bool LinkUnnamed(int fd, int folder, std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TemporaryName(attempt);
    if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) {
      return true;
    }
    // Without the right to link by descriptor, through its /proc name.
    if (errno == ENOENT && ::linkat(AT_FDCWD, self.c_str(), folder,
                                    name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

UniqueFd CreateNamed(int folder, std::string& name, mode_t mode) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TemporaryName(attempt);
    UniqueFd fd(::openat(folder, name.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         mode));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  return UniqueFd();
}

enum class Replacement {
  kDone,
  kRefused,      // the folder or the file's attributes do not allow it
  kWriteFailed,  // the contents could not be written (disk full, limits)
};

// The new contents in a file of their own, complete and flushed, under a
// temporary name in the file's folder.
struct NewContents {
  UniqueFd fd;
  std::string name;
};

Replacement WriteNewContents(const LoadedFile& file, const UniqueFd& old,
                             const struct stat& info, std::string_view bytes,
                             NewContents& made) {
  const int folder = file.folder.get();
  made.fd =
      UniqueFd(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  const bool unnamed = made.fd.valid();
  if (!unnamed) made.fd = CreateNamed(folder, made.name, 0600);
  if (!made.fd.valid() || !CopyFileAttributes(old.get(), info, made.fd.get())) {
    return Replacement::kRefused;
  }
  if (!WriteAll(made.fd.get(), bytes, 0) || !Flush(made.fd.get())) {
    return Replacement::kWriteFailed;
  }
  if (unnamed && !LinkUnnamed(made.fd.get(), folder, made.name)) {
    return Replacement::kRefused;
  }
  return Replacement::kDone;
}

Replacement Replace(LoadedFile& file, const UniqueFd& old,
                    const struct stat& info, std::string_view bytes) {
  NewContents made;
  Replacement result = WriteNewContents(file, old, info, bytes, made);
  if (made.name.empty()) return result;
  const PendingTemporary pending(file.folder.get(), made.name.c_str());
  if (result == Replacement::kDone &&
      ::renameat(file.folder.get(), made.name.c_str(), file.folder.get(),
                 file.name.c_str()) != 0) {
    result = Replacement::kRefused;
  }
  if (result != Replacement::kDone) {
    ::unlinkat(file.folder.get(), made.name.c_str(), 0);
    return result;
  }
  struct stat saved;
  if (::fstat(made.fd.get(), &saved) == 0) file.stamp = StampOf(saved);
  return FlushFolder(file.folder.get()) ? Replacement::kDone
                                        : Replacement::kWriteFailed;
}

bool WriteStream(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Write, then cut to length, then flush: the file keeps everything it is.
// The room is taken first, so that a full disk leaves the old contents.
SaveStatus WriteInPlace(LoadedFile& file, int fd, std::string_view bytes) {
  const int room = bytes.empty() ? 0
                                 : ::posix_fallocate(
                                       fd, 0, static_cast<off_t>(bytes.size()));
  if (room != 0 && room != EOPNOTSUPP && room != EINVAL) {
    return SaveStatus::kFailed;
  }
  struct stat now;
  if (!WriteAll(fd, bytes, 0) ||
      ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || !Flush(fd) ||
      ::fstat(fd, &now) != 0) {
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
  if (!WriteAll(fd.get(), bytes, 0) || !Flush(fd.get()) ||
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
  const int folder = file.folder.get();
  // Opening for writing proves the right to change this file; a rename
  // alone would also replace a file its owner made read-only.
  const UniqueFd writable(
      ::openat(folder, file.name.c_str(),
               O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!writable.valid()) {
    const bool gone = errno == ENOENT;
    if (!check_stamp) return gone ? Create(file, bytes) : SaveStatus::kFailed;
    // Gone, or a link put in its place.
    return gone || errno == ELOOP ? SaveStatus::kChanged : SaveStatus::kFailed;
  }
  struct stat info;
  if (::fstat(writable.get(), &info) != 0) return SaveStatus::kFailed;
  if (check_stamp && !SameContents(StampOf(info), file.stamp)) {
    return SaveStatus::kChanged;
  }
  if (!S_ISREG(info.st_mode)) {
    return WriteStream(writable.get(), bytes) ? SaveStatus::kSaved
                                              : SaveStatus::kFailed;
  }
  const UniqueFd readable(
      ::openat(folder, file.name.c_str(),
               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat read_info;
  if (info.st_nlink == 1 && readable.valid() &&
      ::fstat(readable.get(), &read_info) == 0 &&
      SameFile(StampOf(read_info), StampOf(info))) {
    switch (Replace(file, readable, info, bytes)) {
      case Replacement::kDone:
        return SaveStatus::kSaved;
      case Replacement::kWriteFailed:
        return SaveStatus::kFailed;
      case Replacement::kRefused:
        break;
    }
  }
  return WriteInPlace(file, writable.get(), bytes);
}

}  // namespace quor
