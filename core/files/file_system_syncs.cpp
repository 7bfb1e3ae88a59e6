#include "core/files/file_system_syncs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace quor {

bool FileSystemSyncs::Note(dev_t device, int fd) {
  if (std::find(devices_.begin(), devices_.end(), device) != devices_.end()) {
    return true;
  }
  // A duplicate shares the open file, and with it the point from which
  // write-back errors count.
  UniqueFd kept(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
  if (!kept.valid()) return false;
  devices_.push_back(device);
  files_.push_back(std::move(kept));
  return true;
}

bool FileSystemSyncs::Flush(dev_t device) const {
  const auto at = std::find(devices_.begin(), devices_.end(), device);
  if (at == devices_.end()) return false;
  const auto i = static_cast<std::size_t>(at - devices_.begin());
  return ::syncfs(files_[i].get()) == 0;
}

void FileSystemSyncs::Clear() {
  devices_.clear();
  files_.clear();
}

}  // namespace quor
