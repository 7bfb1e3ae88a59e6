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
#include <optional>
#include <stdexcept>
#include <utility>

#include "core/files/document_encoding.h"
#include "core/files/file_save.h"
#include "core/files/loaded_file.h"
#include "core/files/unique_fd.h"

namespace quor {
namespace {

// Reads are done in slices so that a huge file of zeros stops early and the
// buffer for an unknown size grows in steps.
constexpr std::size_t kReadSlice = std::size_t{16} << 20;
constexpr std::size_t kUnknownSizeSlice = std::size_t{64} << 10;

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

// Reads `fd` to its end into `data`, `expected` bytes being the size known
// beforehand.
ReadStatus ReadAll(int fd, std::size_t expected, ZeroBytes zero_bytes,
                   std::string& data) {
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
      const ssize_t n = ReadSome(fd, target, slice);
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
  return ReadStatus::kOk;
}

}  // namespace

UniqueFd OpenRegularFile(const std::string& path, struct stat& info) {
  // Without O_NONBLOCK the open of a pipe would wait for a writer; a pipe,
  // socket or device may then never end, so only a regular file is read.
  UniqueFd fd(
      ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) return fd;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return UniqueFd();
  }
  // A file system may honour the flag for regular files too. Of the flags
  // that can be changed, it is the only one set.
  if (::fcntl(fd.get(), F_SETFL, 0) != 0) return UniqueFd();
  return fd;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes,
                         ZeroBytes zero_bytes, FileStamp* stamp) {
  struct stat info;
  const UniqueFd fd = OpenRegularFile(path, info);
  if (!fd.valid()) return ReadStatus::kCannotOpen;
  std::string data;
  const ReadStatus read = ReadAll(
      fd.get(), static_cast<std::size_t>(info.st_size), zero_bytes, data);
  if (read != ReadStatus::kOk) return read;
  // The stamp from before the read: a write during it shows as a change
  // later.
  if (stamp != nullptr) *stamp = StampOf(info);
  bytes = std::move(data);
  return ReadStatus::kOk;
}

ReadStatus ReadStandardInput(std::string& bytes, ZeroBytes zero_bytes) {
  std::string data;
  const ReadStatus read = ReadToEnd(STDIN_FILENO, data, zero_bytes);
  if (read == ReadStatus::kOk) bytes = std::move(data);
  return read;
}

ReadStatus ReadToEnd(int fd, std::string& bytes, ZeroBytes zero_bytes) {
  struct stat info;
  const off_t at = ::lseek(fd, 0, SEEK_CUR);
  const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                     at >= 0 && info.st_size > at;
  const std::size_t rest =
      sized ? static_cast<std::size_t>(info.st_size - at) : 0;
  return ReadAll(fd, bytes.size() + rest, zero_bytes, bytes);
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::optional<LoadedFile> file = LocateFileToWrite(path);
  return file &&
         SaveFile(*file, bytes, /*check_stamp=*/false) == SaveStatus::kSaved;
}

}  // namespace quor
