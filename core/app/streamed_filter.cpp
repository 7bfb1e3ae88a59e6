#include "core/app/streamed_filter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/app/document_file.h"
#include "core/files/document_encoding.h"
#include "core/files/utf8_text.h"
#include "core/files/whole_file.h"
#include "core/filters/superfluous_blanks.h"

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
  const StreamPlan& plan;
  std::FILE* output;
  const std::function<void(std::uint64_t)>& progress;
  std::vector<BlankSqueezer> squeezers;
  std::array<bool, 256> starts_alike = {};  // see StartsAlike
  std::uint64_t read = 0;
  CollectedMessages messages = {};
};

// Where in the text a byte `c` may start what is left to filter as a text of
// its own: where every collapse of blanks meets it above 0x20, as it then
// keeps it and goes on alike whatever came before.
bool StartsAlike(const StreamPlan& plan, unsigned char c) {
  for (std::size_t k = 0; k + 1 < plan.maps.size(); ++k) {
    c = plan.maps[k][c];
    if (c <= 0x20) return false;
  }
  return true;
}

// Whether the plan gives ASCII for ASCII, so that an ASCII text comes out
// alike in every encoding.
bool KeepsAscii(const StreamPlan& plan) {
  if (plan.gives_code_page_bytes) return true;
  for (unsigned char c = 0; c < 0x80; ++c) {
    unsigned char out = c;
    for (std::size_t k = 0; k < plan.maps.size(); ++k) {
      out = plan.maps[k][out];
      if (k + 1 < plan.maps.size() && out == '\t') out = ' ';
    }
    if (out >= 0x80) return false;
  }
  return true;
}

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

// Runs the plan over `size` bytes at `bytes`, in place; returns how many are
// left.
std::size_t RunPlan(Stream& stream, char* bytes, std::size_t size) {
  const std::vector<ByteTable>& maps = stream.plan.maps;
  for (std::size_t k = 0; k < maps.size(); ++k) {
    if (!IsIdentity(maps[k])) MapBytes(bytes, size, maps[k]);
    if (k < stream.squeezers.size()) {
      size = stream.squeezers[k].Squeeze(bytes, size);
    }
  }
  return size;
}

// Filters and writes `size` bytes at `bytes`; false, after saying so, when
// they hold a zero byte, which no text may hold, and when the output is lost
// (a reader that went away): the end of the run reports that, and reading on
// would only waste time.
bool WriteFiltered(Stream& stream, char* bytes, std::size_t size) {
  if (std::memchr(bytes, 0, size) != nullptr) {
    ReportRead(ReadStatus::kHoldsZero, stream.messages);
    return false;
  }
  std::fwrite(bytes, 1, RunPlan(stream, bytes, size), stream.output);
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
    if (!WriteFiltered(stream, slice, static_cast<std::size_t>(n))) return;
  }
}

// Where the ASCII bytes `held` may be cut so that what follows the cut
// filters alike as a text of its own: before the last byte that starts
// alike, looked for among the bytes from `from` on (at least 1); 0 where
// none does.
std::size_t CutBeforeLastStart(const Stream& stream, std::string_view held,
                               std::size_t from) {
  for (std::size_t i = held.size(); i > from; --i) {
    if (stream.starts_alike[static_cast<unsigned char>(held[i - 1])]) {
      return i - 1;
    }
  }
  return 0;
}

// Reads until the encoding is known, writing what is ASCII meanwhile, then
// goes on as the verdict says. From the last ASCII byte that starts alike on,
// the bytes are held back, so that what is filtered as a document gives what
// the whole text would and never starts with what would pass for a byte
// order mark.
void StreamUndecided(Stream& stream, char* slice,
                     std::span<const FilterStep> steps,
                     const RunContext& context) {
  Judgement judgement;
  judgement.ascii_alike = KeepsAscii(stream.plan);
  std::string held;
  // The held bytes from 1 up to here start nothing alike: a long run of
  // blanks is looked through once, not again with every slice.
  std::size_t searched = 1;
  for (;;) {
    const ssize_t n = ReadSlice(stream, slice);
    if (n < 0) return;
    judgement.at_end = n == 0;
    held.append(slice, static_cast<std::size_t>(n));
    switch (Judge(held, judgement)) {
      case Verdict::kNeedMore:
        break;
      case Verdict::kAsciiSoFar:
        if (const std::size_t cut = CutBeforeLastStart(stream, held, searched);
            cut > 0) {
          if (!WriteFiltered(stream, held.data(), cut)) return;
          held.erase(0, cut);
          judgement.from_start = false;
          judgement.scanned = held.size();
        }
        searched = std::max<std::size_t>(held.size(), 1);
        break;
      case Verdict::kBytes:
        if (!WriteFiltered(stream, held.data(), held.size())) return;
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

std::optional<StreamPlan> StreamPlanOf(std::span<const FilterStep> steps,
                                       CharacterSet set) {
  if (set == CharacterSet::kUtf8 || steps.empty()) return std::nullopt;
  StreamPlan plan;
  plan.maps.push_back(IdentityMap());
  for (const FilterStep& step : steps) {
    if (step.filter->squeezes_blanks) {
      plan.maps.push_back(IdentityMap());
    } else if (step.filter->byte_map != nullptr) {
      plan.maps.back() =
          ComposeByteMaps(plan.maps.back(), *step.filter->byte_map);
    } else {
      return std::nullopt;
    }
    plan.gives_code_page_bytes =
        plan.gives_code_page_bytes || step.filter->gives_code_page_bytes;
  }
  return plan;
}

CollectedMessages StreamInput(
    const std::string& name, const StreamPlan& plan,
    std::span<const FilterStep> steps, const RunContext& context,
    std::FILE* output, const std::function<void(std::uint64_t)>& progress) {
  UniqueFd file;
  struct stat info;
  if (name != "-") file = OpenRegularFile(name, info);
  Stream stream{.fd = name == "-" ? STDIN_FILENO : file.get(),
                .plan = plan,
                .output = output,
                .progress = progress,
                .squeezers = std::vector<BlankSqueezer>(plan.maps.size() - 1)};
  for (std::size_t c = 0; c < stream.starts_alike.size(); ++c) {
    stream.starts_alike[c] = StartsAlike(plan, static_cast<unsigned char>(c));
  }
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
