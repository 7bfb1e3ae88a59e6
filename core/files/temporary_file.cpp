#include "core/files/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "core/files/file_attributes.h"

namespace quor {
namespace {

constexpr int kNameAttempts = 100;

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
    if (errno != EEXIST) break;
  }
  name.clear();
  return false;
}

UniqueFd CreateNamed(int folder, std::string& name) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = TemporaryName(attempt);
    UniqueFd fd(::openat(folder, name.c_str(),
                         O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         0600));
    if (fd.valid()) return fd;
    if (errno != EEXIST) break;
  }
  name.clear();
  return UniqueFd();
}

}  // namespace

TemporaryFile::~TemporaryFile() {
  if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
}

bool TemporaryFile::Open(int old, const struct stat& info, struct stat& made) {
  // Nobody can open an unnamed file, so it may as well start with the old
  // file's permissions, which then need no second change.
  fd_ = UniqueFd(::openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC,
                          info.st_mode & 0777));
  if (!fd_.valid()) {
    fd_ = CreateNamed(folder_, name_);
    if (fd_.valid()) Name();
  }
  return fd_.valid() && CopyFileAttributes(old, info, fd_.get(), made);
}

bool TemporaryFile::Name() {
  if (name_.empty() &&
      (!fd_.valid() || !LinkUnnamed(fd_.get(), folder_, name_))) {
    return false;
  }
  if (!pending_) {
    pending_ = std::make_unique<PendingTemporary>(folder_, name_.c_str());
  }
  return true;
}

bool TemporaryFile::RenameOver(const std::string& name) {
  if (!Name() ||
      ::renameat(folder_, name_.c_str(), folder_, name.c_str()) != 0) {
    return false;
  }
  name_.clear();
  pending_.reset();
  return true;
}

}  // namespace quor
