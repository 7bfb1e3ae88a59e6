#include "core/filters/exclude_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/filters/byte_classes.h"
#include "core/filters/byte_scan.h"
#include "core/filters/char_classes.h"

namespace quor {
namespace {

// The list compares with bit 0x20 set on both sides: besides the letter cases
// this pairs CR with "-", LF with "*" and every control byte with the byte
// 0x20 above it.
constexpr unsigned char Fold(char c) {
  return static_cast<unsigned char>(c) | 0x20;
}

// An entry of the list, cut to the bytes every match of it must cover: up to
// the first CR or LF behind its first byte. A match may run on beyond that
// line break, through the list's next lines, as long as the text keeps
// comparing equal; it then needs a line break where it stops.
struct Entry {
  std::size_t start;
  std::size_t length;
};

// The entries sorted by their folded bytes (equal ones by position), so that
// the entries fitting the text at a position form one range that narrows byte
// by byte; entries that are shorter come first in their range. A table over
// the first two bytes finds the range to start from; entries of one byte
// are kept apart.
class ExcludeIndex {
 public:
  explicit ExcludeIndex(std::string_view list) : list_(list) {
    CollectEntries();
    const auto less = [this](const Entry& a, const Entry& b) {
      return Less(a, b);
    };
    std::sort(short_.begin(), short_.end(), less);
    std::sort(long_.begin(), long_.end(), less);
    std::array<std::uint32_t, 256> short_count{};
    for (const Entry& entry : short_) ++short_count[Fold(list_[entry.start])];
    for (std::size_t b = 0; b < 256; ++b) {
      short_first_[b + 1] = short_first_[b] + short_count[b];
    }
    long_first_.assign(kPairs + 1, 0);
    for (const Entry& entry : long_)
      ++long_first_[PairKey(&list_[entry.start]) + 1];
    for (std::size_t key = 0; key < kPairs; ++key) {
      long_first_[key + 1] += long_first_[key];
    }
  }

  // How many bytes the first entry in list order that matches at `at`
  // removes, or 0 when none does.
  std::size_t MatchAt(std::string_view text, std::size_t at) const {
    const unsigned char first = Fold(text[at]);
    std::size_t best_start = std::string_view::npos;
    std::size_t best_length = 0;
    for (std::size_t i = short_first_[first]; i < short_first_[first + 1];
         ++i) {
      best_length = MatchLength(short_[i], text, at);
      if (best_length != 0) {
        best_start = short_[i].start;
        break;
      }
    }
    if (at + 1 == text.size()) return best_length;
    const std::size_t key = PairKey(&text[at]);
    std::size_t lo = long_first_[key];
    std::size_t hi = long_first_[key + 1];
    for (std::size_t depth = 2; lo < hi; ++depth) {
      // These entries all equal the text's next `depth` bytes; a later one
      // in the list cannot win over one already found.
      for (; lo < hi && long_[lo].length == depth; ++lo) {
        if (long_[lo].start > best_start) continue;
        const std::size_t length = MatchLength(long_[lo], text, at);
        if (length != 0) {
          best_start = long_[lo].start;
          best_length = length;
        }
      }
      if (at + depth == text.size()) break;
      const unsigned char next = Fold(text[at + depth]);
      const Entry* const entries = long_.data();
      lo = static_cast<std::size_t>(
          std::partition_point(entries + lo, entries + hi,
                               [&](const Entry& e) {
                                 return Fold(list_[e.start + depth]) < next;
                               }) -
          entries);
      hi = static_cast<std::size_t>(
          std::partition_point(entries + lo, entries + hi,
                               [&](const Entry& e) {
                                 return Fold(list_[e.start + depth]) == next;
                               }) -
          entries);
    }
    return best_length;
  }

 private:
  static constexpr std::size_t kPairs = 1 << 16;

  static std::size_t PairKey(const char* bytes) {
    return std::size_t{Fold(bytes[0])} << 8 | Fold(bytes[1]);
  }

  // Entries start at the list's first byte and wherever letters follow a
  // non-letter. One without a line break behind its first byte never
  // matches and is left out.
  void CollectEntries() {
    const char* const data = list_.data();
    const char* const end = data + list_.size();
    const char* line_break = data;
    for (std::size_t start = 0; start < list_.size(); ++start) {
      if (start != 0 &&
          !(IsLetterByte(data[start]) && !IsLetterByte(data[start - 1]))) {
        continue;
      }
      if (line_break <= data + start) {
        line_break = FindLineBreak(data + start + 1, end);
      }
      if (line_break == end) break;
      const Entry entry{start,
                        static_cast<std::size_t>(line_break - data) - start};
      (entry.length == 1 ? short_ : long_).push_back(entry);
    }
    // The tables count entries in 32 bits.
    if (long_.size() > UINT32_MAX || short_.size() > UINT32_MAX) {
      throw std::length_error("exclude list");
    }
  }

  bool Less(const Entry& a, const Entry& b) const {
    const std::size_t common = std::min(a.length, b.length);
    for (std::size_t i = 0; i < common; ++i) {
      const unsigned char x = Fold(list_[a.start + i]);
      const unsigned char y = Fold(list_[b.start + i]);
      if (x != y) return x < y;
    }
    if (a.length != b.length) return a.length < b.length;
    return a.start < b.start;
  }

  // The entry's bytes are known to equal the text's at `at`; the comparison
  // goes on until a byte differs or the text or the list ends, and the list
  // must hold a line break there.
  std::size_t MatchLength(const Entry& entry, std::string_view text,
                          std::size_t at) const {
    std::size_t length = entry.length;
    while (at + length < text.size() && entry.start + length < list_.size() &&
           Fold(text[at + length]) == Fold(list_[entry.start + length])) {
      ++length;
    }
    return entry.start + length < list_.size() &&
                   IsLineBreak(
                       static_cast<unsigned char>(list_[entry.start + length]))
               ? length
               : 0;
  }

  std::string_view list_;
  std::vector<Entry> short_;
  std::vector<Entry> long_;
  // short_[short_first_[b], short_first_[b + 1]) are the folded byte b.
  std::array<std::uint32_t, 257> short_first_{};
  // long_[long_first_[k], long_first_[k + 1]) begin with the two folded
  // bytes PairKey gives k for.
  std::vector<std::uint32_t> long_first_;
};

std::size_t SkipLetters(std::string_view text, std::size_t at) {
  while (at < text.size() && IsLetterByte(text[at])) ++at;
  return at;
}

std::size_t SkipNonLetters(std::string_view text, std::size_t at) {
  while (at < text.size() && !IsLetterByte(text[at])) ++at;
  return at;
}

}  // namespace

void ApplyExcludeList(TextDocument& document,
                      const std::optional<std::string>& exclude_list,
                      Messages& messages) {
  if (!document.text || !exclude_list) return;
  std::optional<ExcludeIndex> index;
  if (!ReportingLackOfMemory(messages, [&] { index.emplace(*exclude_list); })) {
    return;
  }
  // In place: what is kept never lies behind where it goes.
  std::string& text = *document.text;
  const std::string_view view(text);
  char* const data = text.data();
  std::size_t read = 0;
  std::size_t write = 0;
  while (read < view.size()) {
    const std::size_t removed = index->MatchAt(view, read);
    const std::size_t keep = read + removed;
    // Behind a match the rest of the word is tried again, as a word.
    read = removed != 0 ? keep : SkipLetters(view, read);
    read = SkipNonLetters(view, read);
    if (write != keep) std::memmove(data + write, data + keep, read - keep);
    write += read - keep;
  }
  text.resize(write);
}

}  // namespace quor
