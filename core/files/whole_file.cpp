#include "core/files/whole_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "core/files/document_encoding.h"

namespace quor {
namespace {

// Reads are done in slices so that a huge file of zeros stops early and the
// buffer for an unknown size grows in steps.
constexpr std::size_t kReadSlice = std::size_t{16} << 20;
constexpr std::size_t kUnknownSizeSlice = std::size_t{64} << 10;
constexpr int kMaxSymlinkHops = 40;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close itself succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Has the kernel set up the pages of a fresh buffer in one call, rather than
// one page fault at a time as the read fills it. Only a hint: where the
// kernel cannot, the faults happen as before.
void PrefaultPages(char* buffer, std::size_t size) {
#if defined(MADV_POPULATE_WRITE)
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first =
      (reinterpret_cast<std::uintptr_t>(buffer) + page - 1) & ~(page - 1);
  const auto last =
      (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(page - 1);
  if (last > first) {
    (void)::madvise(reinterpret_cast<void*>(first), last - first,
                    MADV_POPULATE_WRITE);
  }
#else
  (void)buffer;
  (void)size;
#endif
}

ssize_t ReadSome(int fd, char* buffer, std::size_t count) {
  ssize_t n;
  do {
    n = ::read(fd, buffer, count);
  } while (n < 0 && errno == EINTR);
  return n;
}

bool WriteAll(int fd, std::string_view bytes) {
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

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Follows symbolic links until a path that is not one (or does not exist).
std::string ResolveLinks(std::string path) {
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
    target.resize(static_cast<std::size_t>(n));
    if (target.front() != '/') target.insert(0, DirectoryOf(path) + '/');
    path = std::move(target);
  }
  return path;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteInPlace(const std::string& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (fd.get() < 0) return false;
  return WriteAll(fd.get(), bytes) && fd.Close();
}

bool ReplaceThroughTemporary(const std::string& target,
                             const struct stat* existing,
                             std::string_view bytes) {
  const std::size_t slash = target.rfind('/');
  const std::string name =
      slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = DirectoryOf(target) + "/." + name + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temporary.data()));
  if (fd.get() < 0) return false;
  bool ok;
  if (existing != nullptr) {
    ok = ::fchmod(fd.get(), existing->st_mode & 07777) == 0;
    // Only root can hand the file to another owner; others keep their own.
    if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid()) {
      (void)!::fchown(fd.get(), existing->st_uid, existing->st_gid);
    }
  } else {
    ok = ::fchmod(fd.get(), NewFileMode()) == 0;
  }
  ok = ok && WriteAll(fd.get(), bytes);
  ok = fd.Close() && ok;
  ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         ZeroBytes zero_bytes) {
  // Without O_NONBLOCK the open of a pipe would wait for a writer; a pipe,
  // socket or device may then never end, so only a regular file is read.
  FileDescriptor fd(
      ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return ReadStatus::kCannotOpen;
  struct stat info;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return ReadStatus::kCannotOpen;
  }
  // A file system may honour the flag for regular files too.
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return ReadStatus::kCannotOpen;
  }
  const auto expected = static_cast<std::size_t>(info.st_size);
  std::string data;
  try {
    data.reserve(expected);
    // Up to the size the file had when opened, read straight into the
    // reserved buffer; beyond it (a growing file, one of /proc that claims
    // no size) through a small buffer, so that finding the end costs no
    // reallocation.
    std::string spill;
    for (;;) {
      const std::size_t old_size = data.size();
      const bool within = old_size < expected;
      if (!within && spill.empty()) spill.resize(kUnknownSizeSlice);
      const std::size_t slice =
          within ? std::min(expected - old_size, kReadSlice) : spill.size();
      if (within) {
        PrefaultPages(data.data() + old_size, slice);
        data.resize(old_size + slice);
      }
      char* const target = within ? data.data() + old_size : spill.data();
      const ssize_t n = ReadSome(fd.get(), target, slice);
      if (n < 0) return ReadStatus::kCannotOpen;
      const auto count = static_cast<std::size_t>(n);
      if (within) {
        data.resize(old_size + count);
      } else {
        data.append(spill.data(), count);
      }
      if (count == 0) break;
      if (zero_bytes == ZeroBytes::kRefusedUnlessUtf16 &&
          StartsWithUtf16Mark(data)) {
        zero_bytes = ZeroBytes::kKept;
      }
      if (zero_bytes != ZeroBytes::kKept &&
          std::memchr(data.data() + old_size, 0, count) != nullptr) {
        return ReadStatus::kHoldsZero;
      }
    }
  } catch (const std::bad_alloc&) {
    return ReadStatus::kOutOfMemory;
  } catch (const std::length_error&) {
    return ReadStatus::kOutOfMemory;
  }
  bytes = std::move(data);
  return ReadStatus::kOk;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::string target = ResolveLinks(path);
  struct stat existing;
  if (::stat(target.c_str(), &existing) != 0) {
    return errno == ENOENT && ReplaceThroughTemporary(target, nullptr, bytes);
  }
  if (S_ISDIR(existing.st_mode)) return false;
  if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);
  // The rename would replace a file its owner made read-only.
  if (::access(target.c_str(), W_OK) != 0) return false;
  return ReplaceThroughTemporary(target, &existing, bytes);
}

}  // namespace quor
