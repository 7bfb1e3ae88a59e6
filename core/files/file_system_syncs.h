#pragma once

#include <sys/types.h>

#include <vector>

#include "core/files/unique_fd.h"

namespace quor {

// One open file per file system written to, so that each can be flushed
// whole, once, instead of file by file. An error met while writing back
// anything on a file system after its file was opened shows in its flush.
class FileSystemSyncs {
 public:
  // Notes that `fd`, opened before anything was written through it, lies
  // on the file system `device`. The first file noted per device serves.
  // False when it cannot be kept (no descriptor left).
  bool Note(dev_t device, int fd);

  // Flushes everything on the file system `device` to disk; false on an
  // error or when the device was never noted.
  bool Flush(dev_t device) const;

  const std::vector<dev_t>& devices() const { return devices_; }

  void Clear();

 private:
  std::vector<dev_t> devices_;
  std::vector<UniqueFd> files_;  // one per entry of `devices_`
};

}  // namespace quor
