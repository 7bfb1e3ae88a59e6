#include "core/files/file_attributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

namespace quor {
namespace {

// The whole of what `query` gives into `buffer`, growing it as the other
// side's answer grows. Negative on error.
template <typename Query>
ssize_t ReadGrowing(std::string& buffer, Query query) {
  for (;;) {
    const ssize_t size = query(nullptr, 0);
    if (size <= 0) return size;
    buffer.resize(static_cast<std::size_t>(size));
    const ssize_t got = query(buffer.data(), buffer.size());
    if (got >= 0) {
      buffer.resize(static_cast<std::size_t>(got));
      return got;
    }
    if (errno != ERANGE) return -1;
  }
}

bool CopyExtendedAttributes(int from, int to) {
  std::string names;
  const ssize_t listed = ReadGrowing(names, [from](char* b, std::size_t n) {
    return ::flistxattr(from, b, n);
  });
  if (listed < 0) return errno == ENOTSUP;
  std::string value;
  for (std::size_t at = 0; at < names.size();) {
    const std::string name(names.c_str() + at);
    at += name.size() + 1;
    const ssize_t got = ReadGrowing(value, [&](char* b, std::size_t n) {
      return ::fgetxattr(from, name.c_str(), b, n);
    });
    if (got < 0) return false;
    if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool CopyFileAttributes(int from, const struct stat& info, int to,
                        struct stat& fresh) {
  // Owner first: a change of owner clears the set-id bits.
  if (::fstat(to, &fresh) != 0) return false;
  const bool other_owner =
      fresh.st_uid != info.st_uid || fresh.st_gid != info.st_gid;
  if (other_owner && ::fchown(to, info.st_uid, info.st_gid) != 0) {
    return false;
  }
  const mode_t mode = info.st_mode & 07777;
  if ((other_owner || (fresh.st_mode & 07777) != mode) &&
      ::fchmod(to, mode) != 0) {
    return false;
  }
  // The kernel drops a set-group-id bit it will not grant without a word.
  if ((mode & (S_ISUID | S_ISGID)) != 0 &&
      (::fstat(to, &fresh) != 0 || (fresh.st_mode & 07777) != mode)) {
    return false;
  }
  return CopyExtendedAttributes(from, to);
}

}  // namespace quor
