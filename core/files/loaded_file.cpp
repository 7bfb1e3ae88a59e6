#include "core/files/loaded_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace quor {
namespace {

constexpr int kMaxLinkHops = 40;

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows a link as the last part of `path` to what it names, as a read
// does; the folder part is left to the kernel.
std::string FollowLastLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
    target.resize(static_cast<std::size_t>(n));
    if (target.front() != '/') target.insert(0, FolderOf(path) + '/');
    path = std::move(target);
  }
  return path;
}

}  // namespace

FileStamp StampOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

bool SameFile(const FileStamp& a, const FileStamp& b) {
  return a.device == b.device && a.inode == b.inode;
}

bool SameContents(const FileStamp& a, const FileStamp& b) {
  return SameFile(a, b) && a.size == b.size && SameTime(a.modified, b.modified);
}

std::optional<LoadedFile> LocateFileToWrite(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const std::string target = FollowLastLinks(path);
  const std::string name = NameOf(target);
  if (name.empty() || name == "." || name == "..") return std::nullopt;
  UniqueFd folder(
      ::open(FolderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!folder.valid()) return std::nullopt;
  return LoadedFile{std::move(folder), name, {}};
}

std::optional<LoadedFile> LocateLoadedFile(const std::string& path,
                                           const FileStamp& stamp) {
  std::optional<LoadedFile> file = LocateFileToWrite(path);
  if (!file) return std::nullopt;
  struct stat info;
  if (::fstatat(file->folder.get(), file->name.c_str(), &info,
                AT_SYMLINK_NOFOLLOW) != 0 ||
      !SameFile(StampOf(info), stamp)) {
    return std::nullopt;
  }
  file->stamp = stamp;
  return file;
}

}  // namespace quor
