#include "core/files/save_batch.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>

#include "core/files/file_writes.h"
#include "core/files/whole_file.h"

namespace quor {
namespace {

// Descriptors left to the rest of the process.
constexpr rlim_t kReservedFds = 64;
// Each pending file holds its folder, itself and its new contents open.
constexpr rlim_t kFdsPerFile = 3;

std::size_t AllowedPending(std::size_t wanted) {
  std::size_t allowed = std::min(wanted, PendingTemporary::kCapacity / 2);
  struct rlimit files;
  if (::getrlimit(RLIMIT_NOFILE, &files) == 0 &&
      files.rlim_cur != RLIM_INFINITY) {
    const rlim_t spare =
        files.rlim_cur > kReservedFds ? files.rlim_cur - kReservedFds : 0;
    allowed = std::min(allowed, static_cast<std::size_t>(spare / kFdsPerFile));
  }
  return std::max<std::size_t>(allowed, 1);
}

// Makes the contents of `from` those of `to`, in place, unflushed.
bool CopyInPlace(int from, int to) {
  std::string bytes;
  return ::lseek(from, 0, SEEK_SET) == 0 &&
         ReadToEnd(from, bytes, ZeroBytes::kKept) == ReadStatus::kOk &&
         WriteInPlace(to, bytes, /*flush=*/false);
}

}  // namespace

void SaveBatch::RaiseOpenFileLimit() {
  struct rlimit files;
  if (::getrlimit(RLIMIT_NOFILE, &files) == 0 &&
      files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    (void)::setrlimit(RLIMIT_NOFILE, &files);
  }
}

SaveBatch::SaveBatch(std::size_t max_pending)
    : max_pending_(AllowedPending(max_pending)) {
  pending_.reserve(max_pending_);
}

std::size_t SaveBatch::Add(LoadedFile file, std::string_view bytes) {
  if (pending_.size() >= max_pending_) Commit();
  const std::size_t index = statuses_.size();
  statuses_.emplace_back();
  Pending entry{index, std::move(file), {}, nullptr, 0, false};
  statuses_[index] = Write(entry, bytes);
  if (!statuses_[index]) pending_.push_back(std::move(entry));
  return index;
}

std::optional<SaveStatus> SaveBatch::StatusOf(std::size_t index) const {
  return index < statuses_.size() ? statuses_[index] : std::nullopt;
}

// Everything SaveFile does before its flushes: empty when the new
// contents are written and wait for the commit.
std::optional<SaveStatus> SaveBatch::Write(Pending& entry,
                                           std::string_view bytes) {
  SaveTarget& target = entry.target;
  switch (OpenSaveTarget(entry.file, /*check_stamp=*/true, target)) {
    case TargetState::kOpen:
      break;
    case TargetState::kChanged:
      return SaveStatus::kChanged;
    case TargetState::kMissing:
    case TargetState::kFailed:
      return SaveStatus::kFailed;
  }
  if (!S_ISREG(target.info.st_mode)) {
    return WriteStream(target.writable.get(), bytes) ? SaveStatus::kSaved
                                                     : SaveStatus::kFailed;
  }
  if (!target.replaceable) return WriteInPlace(entry, bytes);
  auto made = std::make_unique<TemporaryFile>(entry.file.folder.get());
  struct stat info;
  if (!made->Open(target.writable.get(), target.info, info)) {
    return WriteInPlace(entry, bytes);
  }
  // The file itself too, for when the folder refuses the rename at the
  // commit and the contents go in place after all.
  if (!syncs_.Note(info.st_dev, made->fd()) ||
      !syncs_.Note(target.info.st_dev, target.writable.get()) ||
      !WriteAll(made->fd(), bytes, 0)) {
    return SaveStatus::kFailed;
  }
  entry.device = info.st_dev;
  entry.replacement = std::move(made);
  return std::nullopt;
}

std::optional<SaveStatus> SaveBatch::WriteInPlace(Pending& entry,
                                                  std::string_view bytes) {
  const int fd = entry.target.writable.get();
  entry.device = entry.target.info.st_dev;
  if (!syncs_.Note(entry.device, fd) ||
      !quor::WriteInPlace(fd, bytes, /*flush=*/false)) {
    return SaveStatus::kFailed;
  }
  entry.written_in_place = true;
  return std::nullopt;
}

void SaveBatch::Commit() {
  for (const dev_t device : syncs_.devices()) {
    if (!syncs_.Flush(device)) FindUnflushed(device);
  }
  for (Pending& entry : pending_) Finish(entry);
  for (const dev_t device : syncs_.devices()) FlushFinished(device);
  pending_.clear();
  syncs_.Clear();
}

// The file system could not flush everything: each file on it flushed on
// its own tells which of them are whole.
void SaveBatch::FindUnflushed(dev_t device) {
  for (Pending& entry : pending_) {
    if (entry.device != device) continue;
    const int fd = entry.replacement ? entry.replacement->fd()
                                     : entry.target.writable.get();
    if (::fsync(fd) != 0) {
      statuses_[entry.index] = SaveStatus::kFailed;
      entry.replacement.reset();
    }
  }
}

// After the first flush: a file written in place is saved; new contents go
// over their file, or into it where the folder refuses the rename. Those
// wait for the second flush.
void SaveBatch::Finish(Pending& entry) {
  std::optional<SaveStatus>& status = statuses_[entry.index];
  if (entry.written_in_place && !status) status = SaveStatus::kSaved;
  // Decided, or moved already by a commit that ran out of memory.
  if (status || !entry.replacement) return;
  if (!StillAsLoaded(entry.file, entry.target)) {
    status = SaveStatus::kChanged;
  } else if (!entry.replacement->RenameOver(entry.file.name)) {
    entry.device = entry.target.info.st_dev;
    if (!CopyInPlace(entry.replacement->fd(), entry.target.writable.get())) {
      status = SaveStatus::kFailed;
    }
  }
  entry.replacement.reset();
}

void SaveBatch::FlushFinished(dev_t device) {
  bool waiting = false;
  for (const Pending& entry : pending_) {
    waiting = waiting || (entry.device == device && !statuses_[entry.index]);
  }
  if (!waiting) return;
  const SaveStatus result =
      syncs_.Flush(device) ? SaveStatus::kSaved : SaveStatus::kFailed;
  for (const Pending& entry : pending_) {
    if (entry.device == device && !statuses_[entry.index]) {
      statuses_[entry.index] = result;
    }
  }
}

}  // namespace quor
