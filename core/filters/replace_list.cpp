#include "core/filters/replace_list.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/filters/char_classes.h"
#include "core/filters/find_no_case.h"

namespace quor {
namespace {

constexpr std::size_t kMaxField = 1000;

struct ReplacePair {
  std::string_view search;
  std::string_view replacement;
};

// Reads the list's pairs in order: a field ends at CR, LF, the list's end or
// after kMaxField bytes, and the whole run of line breaks behind it goes.
class PairReader {
 public:
  explicit PairReader(std::string_view list) : list_(list) {}

  bool Next(ReplacePair& pair) {
    if (position_ == list_.size()) return false;
    pair.search = ReadField();
    pair.replacement = ReadField();
    return true;
  }

 private:
  std::string_view ReadField() {
    const std::size_t start = position_;
    while (position_ < list_.size() && position_ - start < kMaxField &&
           !IsLineBreak(static_cast<unsigned char>(list_[position_]))) {
      ++position_;
    }
    const std::string_view field = list_.substr(start, position_ - start);
    while (position_ < list_.size() &&
           IsLineBreak(static_cast<unsigned char>(list_[position_]))) {
      ++position_;
    }
    return field;
  }

  std::string_view list_;
  std::size_t position_ = 0;
};

// Knows which search texts may occur in the document, so that a pair whose
// search text cannot occur costs no pass over the text. An Aho-Corasick
// automaton over the search texts, folded as FindNoCase folds and cut to
// their first few bytes (a text occurs only where its start does), marks
// every prefix it meets, with all of that prefix's suffixes in the automaton.
// Marks stay, so they cover everything occurring in the document as long as
// the document is scanned once whole and, after each change, wherever a
// search text may have come into being.
class PresenceIndex {
 public:
  using State = std::uint16_t;

  explicit PresenceIndex(std::string_view list) {
    // Long prefixes make fewer false hopes; shorter ones keep the table small
    // for huge lists.
    for (std::size_t prefix = kLongestPrefix; !Build(list, prefix);) {
      prefix /= 2;
    }
  }

  // Whether the search text of the pair with this number may occur.
  bool MayOccur(std::size_t pair) const {
    return marked_[pair_states_[pair]] == kMet;
  }

  // The longest prefix not met yet: a change of the text needs scanning
  // this far around it. 0 when every prefix has been met.
  std::size_t Reach() const {
    for (std::size_t length = unmet_by_length_.size() - 1; length > 0;
         --length) {
      if (unmet_by_length_[length] != 0) return length;
    }
    return 0;
  }

  // Scanning goes on from where the last Feed ended unless restarted.
  void Restart() { state_ = 0; }

  void Feed(std::string_view bytes) {
    if (unmet_ == 0) return;
    // Locals, so that the marks, being bytes, need not make the compiler
    // reload the table's address after each step.
    const State* const next = next_.data();
    const std::uint8_t* const marked = marked_.data();
    const std::uint8_t* const class_of = class_of_.data();
    const unsigned shift = shift_;
    State state = state_;
    for (const char c : bytes) {
      state = next[(state << shift) | class_of[static_cast<unsigned char>(c)]];
      if (marked[state] != kMet && Mark(state)) break;
    }
    state_ = state;
  }

 private:
  static constexpr std::size_t kLongestPrefix = 32;
  // What marked_ says of a state; only the (cut) search texts are counted.
  static constexpr std::uint8_t kUnmet = 0;
  static constexpr std::uint8_t kMet = 1;
  static constexpr std::uint8_t kUnmetSearch = 2;
  // At most this many table cells.
  static constexpr std::size_t kMaxCells = std::size_t{1} << 22;

  // Builds the automaton over prefixes of at most `prefix` bytes; false when
  // its table would outgrow kMaxCells or its states State.
  bool Build(std::string_view list, std::size_t prefix) {
    class_of_.fill(0);
    std::size_t classes = 1;
    ReplacePair pair;
    for (PairReader reader(list); reader.Next(pair);) {
      for (const char c : pair.search.substr(0, prefix)) {
        std::uint8_t& id =
            class_of_[ToUpperAscii(static_cast<unsigned char>(c))];
        if (id == 0) id = static_cast<std::uint8_t>(classes++);
      }
    }
    for (std::size_t c = 0; c < class_of_.size(); ++c) {
      class_of_[c] = class_of_[ToUpperAscii(static_cast<unsigned char>(c))];
    }
    shift_ = 0;
    while ((std::size_t{1} << shift_) < classes) ++shift_;
    const std::size_t width = std::size_t{1} << shift_;

    next_.assign(width, 0);
    depth_.assign(1, 0);
    pair_states_.clear();
    for (PairReader reader(list); reader.Next(pair);) {
      State state = 0;
      for (const char c : pair.search.substr(0, prefix)) {
        const std::size_t cell = (std::size_t{state} << shift_) |
                                 class_of_[static_cast<unsigned char>(c)];
        if (next_[cell] == 0) {
          if (next_.size() + width > kMaxCells ||
              depth_.size() > std::numeric_limits<State>::max()) {
            return false;
          }
          next_[cell] = static_cast<State>(depth_.size());
          next_.resize(next_.size() + width, 0);
          depth_.push_back(static_cast<std::uint8_t>(depth_[state] + 1));
        }
        state = next_[cell];
      }
      pair_states_.push_back(state);
    }
    marked_.assign(depth_.size(), kUnmet);
    marked_[0] = kMet;
    unmet_by_length_.assign(prefix + 1, 0);
    unmet_ = 0;
    for (const State state : pair_states_) {
      if (marked_[state] != kUnmet) continue;
      marked_[state] = kUnmetSearch;
      ++unmet_by_length_[depth_[state]];
      ++unmet_;
    }
    FillFailures(width);
    return true;
  }

  // Turns the trie into the automaton: a missing transition goes where the
  // longest proper suffix that is a prefix would go.
  void FillFailures(std::size_t width) {
    fail_.assign(depth_.size(), 0);
    std::deque<State> queue;
    for (std::size_t c = 0; c < width; ++c) {
      if (next_[c] != 0) queue.push_back(next_[c]);
    }
    while (!queue.empty()) {
      const State state = queue.front();
      queue.pop_front();
      const std::size_t row = std::size_t{state} << shift_;
      const std::size_t fail_row = std::size_t{fail_[state]} << shift_;
      for (std::size_t c = 0; c < width; ++c) {
        const State child = next_[row | c];
        if (child != 0) {
          fail_[child] = next_[fail_row | c];
          queue.push_back(child);
        } else {
          next_[row | c] = next_[fail_row | c];
        }
      }
    }
  }

  // Marks `state` and its suffixes as met; true once every search text has
  // been met.
  bool Mark(State state) {
    while (marked_[state] != kMet) {
      if (marked_[state] == kUnmetSearch) {
        --unmet_by_length_[depth_[state]];
        --unmet_;
      }
      marked_[state] = kMet;
      state = fail_[state];
    }
    return unmet_ == 0;
  }

  std::array<std::uint8_t, 256> class_of_{};
  unsigned shift_ = 0;
  // The transition of state s on class c is next_[(s << shift_) | c].
  std::vector<State> next_;
  std::vector<State> fail_;
  std::vector<std::uint8_t> depth_;
  std::vector<std::uint8_t> marked_;
  std::vector<State> pair_states_;
  std::vector<std::size_t> unmet_by_length_;
  std::size_t unmet_ = 0;
  State state_ = 0;
};

std::size_t FindFrom(const std::string& text, std::size_t from,
                     std::string_view search) {
  const std::size_t hit =
      FindNoCase(std::string_view(text).substr(from), search);
  return hit == std::string_view::npos ? hit : from + hit;
}

// Feeds the presence index the parts of a text being built that lie within
// `reach` - 1 bytes of an inserted replacement or of the seam a deletion
// leaves: a search text that was not in the old text can only be there.
// Nearby windows are fed as one.
class ChangeScanner {
 public:
  ChangeScanner(PresenceIndex* index, const std::string& built)
      : index_(index), built_(built), reach_(index ? index->Reach() : 0) {
    if (reach_ != 0) index_->Restart();
  }

  // Bytes [begin, end) of the text being built are new; call before they
  // are appended.
  void Changed(std::size_t begin, std::size_t end) {
    if (reach_ == 0) return;
    Advance();
    const std::size_t from = begin > reach_ - 1 ? begin - (reach_ - 1) : 0;
    if (from > window_end_) {
      index_->Restart();
      scanned_ = from;
    }
    window_end_ = std::max(window_end_, end + reach_ - 1);
  }

  // Feeds what has been built of the windows so far.
  void Advance() {
    const std::size_t to = std::min(window_end_, built_.size());
    if (scanned_ >= to) return;
    index_->Feed(std::string_view(built_).substr(scanned_, to - scanned_));
    scanned_ = to;
  }

 private:
  PresenceIndex* index_;
  const std::string& built_;
  std::size_t reach_;
  std::size_t scanned_ = 0;
  std::size_t window_end_ = 0;
};

// ReplaceAll's loop, building into `work`, whose memory serves the next pair
// again after the swap.
void ReplaceAndTrack(std::string& text, std::string& work,
                     const ReplacePair& pair, PresenceIndex* index) {
  std::size_t hit = FindFrom(text, 0, pair.search);
  if (hit == std::string_view::npos) return;
  work.clear();
  work.reserve(pair.replacement.size() <= pair.search.size()
                   ? text.size()
                   : text.size() + text.size() / 8);
  ChangeScanner scanner(index, work);
  std::size_t read = 0;
  while (hit != std::string_view::npos) {
    work.append(text, read, hit - read);
    scanner.Changed(work.size(), work.size() + pair.replacement.size());
    work.append(pair.replacement);
    scanner.Advance();
    read = hit + pair.search.size();
    hit = FindFrom(text, read, pair.search);
  }
  work.append(text, read);
  scanner.Advance();
  text.swap(work);
}

}  // namespace

void ApplyReplaceList(TextDocument& document,
                      const std::optional<std::string>& replace_list,
                      Messages& messages) {
  if (!document.text || !replace_list) return;
  std::string& text = *document.text;
  // Without memory for the index every pair takes its own pass.
  std::optional<PresenceIndex> index;
  try {
    index.emplace(*replace_list);
    index->Feed(text);
  } catch (const std::bad_alloc&) {
    index.reset();
  } catch (const std::length_error&) {
    index.reset();
  }
  std::string work;
  ReplacePair pair;
  PairReader reader(*replace_list);
  for (std::size_t number = 0; !text.empty() && reader.Next(pair); ++number) {
    if (pair.search.empty() || (index && !index->MayOccur(number))) continue;
    ReportingLackOfMemory(messages, [&] {
      ReplaceAndTrack(text, work, pair, index ? &*index : nullptr);
    });
  }
}

}  // namespace quor
