#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "core/files/file_save.h"
#include "core/files/file_system_syncs.h"
#include "core/files/loaded_file.h"
#include "core/files/save_target.h"
#include "core/files/temporary_file.h"

namespace quor {

// Saves many loaded files with two flushes of each file system between
// them instead of two per file: all new contents are written, one flush,
// the renames, one more flush. Each file is treated as SaveFile treats it
// with its stamp checked: replaced through a new file that keeps its
// attributes where it can be, else written in place, never written when it
// changed since the load.
//
// When Commit returns, every file whose status is kSaved is on disk, its
// contents and its name; a file that failed keeps its old contents (a file
// written in place may hold the new ones, unflushed) and leaves no
// temporary name behind. The file descriptors held stay bounded: past
// `max_pending` files, Add commits those pending first.
//
// One thread uses a batch at a time.
class SaveBatch {
 public:
  // Each commit flushes every file system twice, so the more files share
  // one, the fewer flushes a long run makes.
  static constexpr std::size_t kDefaultMaxPending = 2048;

  // `max_pending` is lowered to what the process's limit on open files
  // and the signal handlers' table of temporary names allow.
  explicit SaveBatch(std::size_t max_pending = kDefaultMaxPending);
  SaveBatch(const SaveBatch&) = delete;
  SaveBatch& operator=(const SaveBatch&) = delete;

  // Raises the process's soft limit on open files to its hard limit, so
  // that a batch may hold as many files as it allows. Many systems start
  // processes with a soft limit of 1024 that only select() ever needed.
  static void RaiseOpenFileLimit();
  // What is still pending is dropped: its temporary names removed, its
  // files left as they are (those written in place hold their new
  // contents, unflushed) and their statuses empty. Commit first.
  ~SaveBatch() = default;

  // Takes the file to save with `bytes` as its new contents, which are
  // written now, unflushed: the caller may drop them when Add returns.
  // Returns the file's index in the batch, counting from 0. May throw
  // std::bad_alloc before anything is written.
  std::size_t Add(LoadedFile file, std::string_view bytes);

  // Flushes and renames everything pending; every status is known after.
  // Should it run out of memory (std::bad_alloc), what it did stands and
  // a second call finishes the rest.
  void Commit();

  // The final status of the file added as `index`; empty while it waits
  // for a commit.
  std::optional<SaveStatus> StatusOf(std::size_t index) const;

  // How many files were added.
  std::size_t size() const { return statuses_.size(); }

  // How many files wait for a commit.
  std::size_t pending() const { return pending_.size(); }

 private:
  struct Pending {
    std::size_t index;
    LoadedFile file;
    SaveTarget target;
    // The new contents, until they went over or into the file.
    std::unique_ptr<TemporaryFile> replacement;
    dev_t device;           // of the file holding the new contents
    bool written_in_place;  // at Add
  };

  std::optional<SaveStatus> Write(Pending& entry, std::string_view bytes);
  std::optional<SaveStatus> WriteInPlace(Pending& entry,
                                         std::string_view bytes);
  void FindUnflushed(dev_t device);
  void Finish(Pending& entry);
  void FlushFinished(dev_t device);

  std::size_t max_pending_;
  std::vector<std::optional<SaveStatus>> statuses_;
  std::vector<Pending> pending_;
  FileSystemSyncs syncs_;
};

}  // namespace quor
