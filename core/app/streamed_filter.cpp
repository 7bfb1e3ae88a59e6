#include "core/app/streamed_filter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/app/document_file.h"
#include "core/files/document_encoding.h"
#include "core/files/utf8_text.h"
#include "core/files/whole_file.h"

namespace quor {
namespace {

// What the bytes read so far tell of the input's encoding.
enum class Verdict {
  kNeedMore,    // not known yet
  kAsciiSoFar,  // only ASCII, which the map gives alike in every encoding
  kBytes,       // Windows-1252 bytes for certain: mapped as they come
  kWhole,       // may be Unicode: the rest is read whole, as a document
};

// Where in `bytes` the first byte beyond ASCII is, from `from` on.
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t i = from;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
  return i;
}

struct Judgement {
  bool from_start = true;  // nothing written yet: the held bytes open the input
  bool at_end = false;
  bool ascii_alike = false;  // the map keeps ASCII within ASCII
  std::size_t scanned = 0;   // held bytes known to be ASCII
};

// How to go on with the bytes `held`, read and not yet written, under the
// set Auto. An input is Unicode only with a byte order mark or as
// well-formed UTF-8, so its first byte beyond ASCII decides.
Verdict Judge(std::string_view held, Judgement& judgement) {
  if (judgement.from_start) {
    if (held.size() < 3 && !judgement.at_end) return Verdict::kNeedMore;
    if (held.starts_with("\xEF\xBB\xBF") || StartsWithUtf16Mark(held)) {
      return Verdict::kWhole;
    }
  }
  judgement.scanned = FirstNonAscii(held, judgement.scanned);
  if (judgement.scanned == held.size()) {
    if (judgement.at_end) return Verdict::kBytes;
    return judgement.ascii_alike ? Verdict::kAsciiSoFar : Verdict::kNeedMore;
  }
  constexpr std::size_t kLongestSequence = 4;
  if (held.size() - judgement.scanned < kLongestSequence && !judgement.at_end) {
    return Verdict::kNeedMore;
  }
  return StartsWithUtf8Sequence(held.substr(judgement.scanned))
             ? Verdict::kWhole
             : Verdict::kBytes;
}

// One input on its way to the output.
struct Stream {
  int fd;
  const StreamableMap& map;
  std::FILE* output;
  const std::function<void(std::uint64_t)>& progress;
  std::uint64_t read = 0;
  CollectedMessages messages;
};

// Reads the next slice into `slice`; 0 at the end, -1 on failure.
ssize_t ReadSlice(Stream& stream, char* slice) {
  ssize_t n;
  do {
    n = ::read(stream.fd, slice, kStreamSlice);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    ReportRead(ReadStatus::kCannotOpen, stream.messages);
  } else {
    stream.read += static_cast<std::uint64_t>(n);
    stream.progress(stream.read);
  }
  return n;
}

// Maps and writes `size` bytes at `bytes`; false, after saying so, when they
// hold a zero byte, which no text may hold, and when the output is lost (a
// reader that went away): the end of the run reports that, and reading on
// would only waste time.
bool WriteMapped(Stream& stream, char* bytes, std::size_t size) {
  if (std::memchr(bytes, 0, size) != nullptr) {
    ReportRead(ReadStatus::kHoldsZero, stream.messages);
    return false;
  }
  MapBytes(bytes, size, stream.map.table);
  std::fwrite(bytes, 1, size, stream.output);
  return std::ferror(stream.output) == 0;
}

// Reads the rest of the input after `held` and filters it all as a document.
void FilterRest(Stream& stream, std::string held,
                std::span<const FilterStep> steps, const RunContext& context) {
  const bool utf16 = StartsWithUtf16Mark(held);
  if (!utf16 && held.find('\0') != std::string::npos) {
    ReportRead(ReadStatus::kHoldsZero, stream.messages);
    return;
  }
  const ReadStatus read =
      ReadToEnd(stream.fd, held, ZeroBytes::kRefusedUnlessUtf16);
  if (!ReportRead(read, stream.messages)) return;
  stream.progress(stream.read + held.size());
  FilterResult result = FilterDocument(std::move(held), steps, context);
  std::fwrite(result.bytes.data(), 1, result.bytes.size(), stream.output);
  stream.messages = std::move(result.messages);
}

// Maps slice after slice as it comes, the input being bytes for certain.
void StreamBytes(Stream& stream, char* slice) {
  for (;;) {
    const ssize_t n = ReadSlice(stream, slice);
    if (n <= 0) return;
    if (!WriteMapped(stream, slice, static_cast<std::size_t>(n))) return;
  }
}

// Reads until the encoding is known, writing what is ASCII meanwhile, then
// goes on as the verdict says. The last ASCII byte is held back, so that
// what is filtered as a document never starts with what would pass for a
// byte order mark.
void StreamUndecided(Stream& stream, char* slice,
                     std::span<const FilterStep> steps,
                     const RunContext& context) {
  Judgement judgement;
  judgement.ascii_alike =
      stream.map.gives_code_page_bytes ||
      std::all_of(stream.map.table.begin(), stream.map.table.begin() + 0x80,
                  [](unsigned char c) { return c < 0x80; });
  std::string held;
  for (;;) {
    const ssize_t n = ReadSlice(stream, slice);
    if (n < 0) return;
    judgement.at_end = n == 0;
    held.append(slice, static_cast<std::size_t>(n));
    switch (Judge(held, judgement)) {
      case Verdict::kNeedMore:
        break;
      case Verdict::kAsciiSoFar:
        if (held.size() > 1) {
          if (!WriteMapped(stream, held.data(), held.size() - 1)) return;
          held.erase(0, held.size() - 1);
          judgement.from_start = false;
          judgement.scanned = held.size();
        }
        break;
      case Verdict::kBytes:
        if (!WriteMapped(stream, held.data(), held.size())) return;
        if (!judgement.at_end) StreamBytes(stream, slice);
        return;
      case Verdict::kWhole:
        FilterRest(stream, std::move(held), steps, context);
        return;
    }
    if (judgement.at_end) return;
  }
}

}  // namespace

std::optional<StreamableMap> StreamableMapOf(std::span<const FilterStep> steps,
                                             CharacterSet set) {
  if (set == CharacterSet::kUtf8 || steps.empty()) return std::nullopt;
  StreamableMap map;
  for (std::size_t c = 0; c < map.table.size(); ++c) {
    map.table[c] = static_cast<unsigned char>(c);
  }
  for (const FilterStep& step : steps) {
    if (step.filter->byte_map == nullptr) return std::nullopt;
    map.table = ComposeByteMaps(map.table, *step.filter->byte_map);
    map.gives_code_page_bytes =
        map.gives_code_page_bytes || step.filter->gives_code_page_bytes;
  }
  return map;
}

CollectedMessages StreamInput(
    const std::string& name, const StreamableMap& map,
    std::span<const FilterStep> steps, const RunContext& context,
    std::FILE* output, const std::function<void(std::uint64_t)>& progress) {
  UniqueFd file;
  struct stat info;
  if (name != "-") file = OpenRegularFile(name, info);
  Stream stream{
      name == "-" ? STDIN_FILENO : file.get(), map, output, progress, 0, {}};
  if (stream.fd < 0) {
    ReportRead(ReadStatus::kCannotOpen, stream.messages);
    return std::move(stream.messages);
  }
  ReportingLackOfMemory(stream.messages, [&] {
    const auto slice = std::make_unique_for_overwrite<char[]>(kStreamSlice);
    if (context.character_set == CharacterSet::kAnsi) {
      StreamBytes(stream, slice.get());
    } else {
      StreamUndecided(stream, slice.get(), steps, context);
    }
  });
  return std::move(stream.messages);
}

}  // namespace quor
