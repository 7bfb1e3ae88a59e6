#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>

#include "core/files/pending_temporary.h"
#include "core/files/unique_fd.h"

namespace quor {

// The new contents of a file, made beside it in its folder before they
// replace it. Unnamed where the file system allows (nothing is left behind
// if the process dies), else under a short temporary name from the start;
// a temporary name is noted as pending, and removed when the object goes
// unless it was renamed over the file.
class TemporaryFile {
 public:
  // `folder` (not owned) must outlive this object.
  explicit TemporaryFile(int folder) : folder_(folder) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  // Makes the empty file, open for reading and writing, carrying what the
  // file `old` (described by `info`) has beyond its contents; `made` tells
  // the new file's device. False when the folder refuses a new file or the
  // new file cannot carry it all.
  bool Open(int old, const struct stat& info, struct stat& made);

  // Gives an unnamed file its temporary name; true when it has one.
  bool Name();

  // Renames the file over `name` in the folder, which then holds no
  // temporary name any more. Names it first if need be.
  bool RenameOver(const std::string& name);

  int fd() const { return fd_.get(); }

 private:
  int folder_;
  UniqueFd fd_;
  std::string name_;  // empty while unnamed or after the rename
  std::unique_ptr<PendingTemporary> pending_;
};

}  // namespace quor
