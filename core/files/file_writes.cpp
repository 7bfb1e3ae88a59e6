#include "core/files/file_writes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/files/unique_fd.h"

namespace quor {

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

bool FlushFolder(int folder) {
  const UniqueFd readable(
      ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return readable.valid() && ::fsync(readable.get()) == 0;
}

bool WriteInPlace(int fd, std::string_view bytes, bool flush) {
  const int room = bytes.empty() ? 0
                                 : ::posix_fallocate(
                                       fd, 0, static_cast<off_t>(bytes.size()));
  if (room != 0 && room != EOPNOTSUPP && room != EINVAL) return false;
  return WriteAll(fd, bytes, 0) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         (!flush || ::fsync(fd) == 0);
}

}  // namespace quor
