#include "core/filters/replace_list.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/filters/char_classes.h"
#include "core/filters/find_no_case.h"
#include "core/filters/replace_all.h"
#include "core/filters/search_automaton.h"

namespace quor {
namespace {

constexpr std::size_t kMaxField = 1000;
// Small enough that a pair whose search text occurs a few times rewrites
// little, large enough that the chunk lists stay short.
constexpr std::size_t kChunkBytes = 1024;
// Longer search texts are indexed by this many first bytes and checked in
// full where those occur.
constexpr std::size_t kIndexedBytes = 64;

constexpr std::uint32_t kNone = SearchAutomaton::kNone;

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

std::size_t FindFrom(std::string_view text, std::size_t from,
                     std::string_view search) {
  const std::size_t hit = FindNoCase(text.substr(from), search);
  return hit == std::string_view::npos ? hit : from + hit;
}

// The text cut after line breaks into chunks of about `target` bytes.
// Neither search texts nor replacements hold a line break, so no match
// reaches across one and line breaks never move within the text: each chunk
// is replaced in on its own, and a pair rewrites only the chunks it changes.
// A chunk that has not changed is read from the text itself.
class Chunks {
 public:
  Chunks(std::string& text, std::size_t target)
      : text_(text), size_(text.size()) {
    std::size_t begin = 0;
    do {
      std::size_t end = text.size();
      if (end - begin > target) {
        const std::size_t line_break =
            text.find_first_of("\r\n", begin + target - 1);
        if (line_break != std::string::npos) end = line_break + 1;
      }
      start_.push_back(begin);
      begin = end;
    } while (begin < text.size());
    start_.push_back(text.size());
    if (start_.size() > kNone) throw std::length_error("chunks");
    owned_.resize(start_.size() - 1);
    changed_.assign(start_.size() - 1, false);
  }

  std::uint32_t Count() const {
    return static_cast<std::uint32_t>(start_.size() - 1);
  }

  std::size_t TotalSize() const { return size_; }

  std::string_view View(std::uint32_t chunk) const {
    if (changed_[chunk]) return owned_[chunk];
    return std::string_view(text_).substr(start_[chunk],
                                          start_[chunk + 1] - start_[chunk]);
  }

  // Gives `chunk` the contents of `bytes`, which gets the old ones.
  void Replace(std::uint32_t chunk, std::string& bytes) noexcept {
    size_ = size_ - View(chunk).size() + bytes.size();
    owned_[chunk].swap(bytes);
    changed_[chunk] = true;
    any_changed_ = true;
  }

  bool Changed() const { return any_changed_; }

  // Puts the chunks back into the text one after the other, in place: the
  // only allocation is the text's growth, and when that fails the text is as
  // it was. The chunks are spent afterwards.
  void WriteBack() {
    const std::size_t old_size = text_.size();
    if (size_ > old_size) text_.resize(size_);
    char* const data = text_.data();
    // Unchanged chunks that move right go from the end, those that move
    // left from the start: neither overwrites bytes still to be moved.
    std::size_t at = size_;
    for (std::uint32_t chunk = Count(); chunk-- > 0;) {
      at -= Length(chunk);
      if (!changed_[chunk] && at > start_[chunk]) {
        std::memmove(data + at, data + start_[chunk], Length(chunk));
      }
    }
    // `at` is back at 0.
    for (std::uint32_t chunk = 0; chunk < Count(); ++chunk) {
      if (changed_[chunk]) {
        owned_[chunk].copy(data + at, owned_[chunk].size());
      } else if (at < start_[chunk]) {
        std::memmove(data + at, data + start_[chunk], Length(chunk));
      }
      at += Length(chunk);
    }
    text_.resize(size_);
  }

 private:
  std::size_t Length(std::uint32_t chunk) const {
    return changed_[chunk] ? owned_[chunk].size()
                           : start_[chunk + 1] - start_[chunk];
  }

  std::string& text_;
  std::size_t size_;
  std::vector<std::size_t> start_;  // where each chunk was in the text
  std::vector<std::string> owned_;
  std::vector<bool> changed_;
  bool any_changed_ = false;
};

// Which chunks the search text of each pair still to come may occur in, so
// that a pair reads only those. Every chunk where the text occurs is on the
// list of its ending (a chunk may be listed twice, or after the text has
// left it). The whole text is scanned once; after a pair, each chunk it
// changed is scanned again around the changes, as far as a search text can
// reach into them.
class ChunkIndex {
 public:
  ChunkIndex(std::span<const std::string_view> searches, std::size_t cap,
             const Chunks& chunks)
      : automaton_(searches, cap), cap_(cap) {
    last_pair_.assign(automaton_.Endings(), 0);
    for (std::size_t pair = 0; pair < searches.size(); ++pair) {
      const std::uint32_t ending = automaton_.EndingOf(pair);
      if (ending != kNone)
        last_pair_[ending] = static_cast<std::uint32_t>(pair);
    }
    epoch_.assign(automaton_.Endings(), 0);
    head_.assign(automaton_.Endings(), kNone);
    seen_.assign(chunks.Count(), 0);
    for (std::uint32_t chunk = 0; chunk < chunks.Count(); ++chunk) {
      NewEpoch();
      Scan(chunk, chunks.View(chunk));
    }
  }

  // How far before and after a change a new occurrence can begin or end.
  std::size_t Reach() const { return automaton_.Longest(); }

  // Adds the chunks listed for the search text of `pair` to `chunks`, each
  // once. Unless a later pair needs the list as it is, it is emptied: after
  // the pair, its search text is left in those chunks only where it overlaps
  // a change, and the scans around the changes list it again. A text
  // indexed by its first bytes only keeps its list.
  void Candidates(std::uint32_t pair, std::size_t search_size,
                  std::vector<std::uint32_t>& chunks) {
    const std::uint32_t ending = automaton_.EndingOf(pair);
    const bool keep = search_size > cap_ && last_pair_[ending] > pair;
    for (std::uint32_t entry = head_[ending]; entry != kNone;) {
      const std::uint32_t next = entries_[entry].next;
      const std::uint32_t chunk = entries_[entry].chunk;
      if (seen_[chunk] != pair + 1) {
        seen_[chunk] = pair + 1;
        chunks.push_back(chunk);
      }
      if (!keep) {
        entries_[entry].next = free_;
        free_ = entry;
      }
      entry = next;
    }
    if (!keep) head_[ending] = kNone;
  }

  // Lists the chunks again after the pair failed. The entries Candidates
  // freed are enough, so this cannot fail.
  void Restore(std::uint32_t pair, std::span<const std::uint32_t> chunks) {
    const std::uint32_t ending = automaton_.EndingOf(pair);
    if (head_[ending] != kNone) return;
    for (const std::uint32_t chunk : chunks) List(ending, chunk);
  }

  // Later scans list the endings of the pairs after `pair` only.
  void Passed(std::uint32_t pair) { next_pair_ = pair + 1; }

  // Scans of one chunk between two calls count the chunk once per ending.
  void NewEpoch() {
    if (++epoch_now_ == 0) {
      std::ranges::fill(epoch_, 0);
      epoch_now_ = 1;
    }
  }

  void Scan(std::uint32_t chunk, std::string_view bytes) {
    automaton_.Scan(bytes, [&](std::uint32_t ending) {
      for (; ending != kNone && epoch_[ending] != epoch_now_;
           ending = automaton_.NextEnding(ending)) {
        epoch_[ending] = epoch_now_;
        if (last_pair_[ending] >= next_pair_) List(ending, chunk);
      }
    });
  }

 private:
  struct Entry {
    std::uint32_t chunk;
    std::uint32_t next;
  };

  void List(std::uint32_t ending, std::uint32_t chunk) {
    std::uint32_t entry = free_;
    if (entry != kNone) {
      free_ = entries_[entry].next;
    } else {
      if (entries_.size() >= kNone) throw std::length_error("chunk index");
      entry = static_cast<std::uint32_t>(entries_.size());
      entries_.emplace_back();
    }
    entries_[entry] = Entry{chunk, head_[ending]};
    head_[ending] = entry;
  }

  SearchAutomaton automaton_;
  std::size_t cap_;
  std::vector<std::uint32_t> last_pair_;  // by ending
  std::vector<std::uint32_t> epoch_;      // by ending
  std::vector<std::uint32_t> head_;       // by ending: its list of chunks
  std::vector<Entry> entries_;
  std::uint32_t free_ = kNone;
  std::vector<std::uint32_t> seen_;  // by chunk: the last pair + 1 to list it
  std::uint32_t epoch_now_ = 0;
  std::uint32_t next_pair_ = 0;
};

// Applies pair after pair to the chunks. A pair's new chunks are all made
// before any is put in place, so a pair whose result cannot be had changes
// nothing.
class ChunkReplacer {
 public:
  ChunkReplacer(Chunks& chunks, std::optional<ChunkIndex>& index)
      : chunks_(chunks), index_(index) {}

  void Apply(std::size_t number, const ReplacePair& pair, Messages& messages) {
    chunks_to_read_.clear();
    if (index_) {
      try {
        index_->Candidates(static_cast<std::uint32_t>(number),
                           pair.search.size(), chunks_to_read_);
      } catch (const std::bad_alloc&) {
        index_.reset();
      } catch (const std::length_error&) {
        index_.reset();
      }
    }
    const bool built = ReportingLackOfMemory(messages, [&] {
      if (index_) {
        for (const std::uint32_t chunk : chunks_to_read_) Build(chunk, pair);
      } else {
        for (std::uint32_t chunk = 0; chunk < chunks_.Count(); ++chunk) {
          Build(chunk, pair);
        }
      }
    });
    if (built) {
      for (Staged& staged : staged_) {
        chunks_.Replace(staged.chunk, staged.bytes);
      }
      if (index_) Rescan(number);
    } else if (index_) {
      index_->Restore(static_cast<std::uint32_t>(number), chunks_to_read_);
    }
    staged_.clear();
    windows_.clear();
  }

 private:
  struct Staged {
    std::uint32_t chunk;
    std::string bytes;
    std::size_t windows_end;
  };
  struct Window {
    std::size_t begin;
    std::size_t end;
  };

  // ReplaceAll's loop on one chunk, noting where new search texts may have
  // come into being.
  void Build(std::uint32_t chunk, const ReplacePair& pair) {
    const std::string_view text = chunks_.View(chunk);
    std::size_t hit = FindNoCase(text, pair.search);
    if (hit == std::string_view::npos) return;
    const std::size_t windows_begin = windows_.size();
    Staged& staged = staged_.emplace_back(Staged{chunk, {}, windows_begin});
    std::string& out = staged.bytes;
    out.reserve(pair.replacement.size() <= pair.search.size()
                    ? text.size()
                    : text.size() + text.size() / 4);
    std::size_t read = 0;
    while (hit != std::string_view::npos) {
      out.append(text.substr(read, hit - read));
      if (index_) {
        Note(windows_begin, out.size(), out.size() + pair.replacement.size());
      }
      out.append(pair.replacement);
      read = hit + pair.search.size();
      hit = FindFrom(text, read, pair.search);
    }
    out.append(text.substr(read));
    staged.windows_end = windows_.size();
  }

  // Bytes [begin, end) of a chunk are new (or, when empty, two bytes met
  // there): a search text that was not in the chunk can only overlap them.
  void Note(std::size_t windows_begin, std::size_t begin, std::size_t end) {
    const std::size_t reach = index_->Reach() - 1;
    const std::size_t from = begin > reach ? begin - reach : 0;
    if (windows_.size() > windows_begin && from <= windows_.back().end) {
      windows_.back().end = end + reach;
    } else {
      windows_.push_back({from, end + reach});
    }
  }

  void Rescan(std::size_t number) {
    try {
      index_->Passed(static_cast<std::uint32_t>(number));
      std::size_t window = 0;
      for (const Staged& staged : staged_) {
        const std::string_view text = chunks_.View(staged.chunk);
        index_->NewEpoch();
        for (; window < staged.windows_end; ++window) {
          const std::size_t begin = windows_[window].begin;
          index_->Scan(staged.chunk,
                       text.substr(begin, windows_[window].end - begin));
        }
      }
    } catch (const std::bad_alloc&) {
      index_.reset();
    } catch (const std::length_error&) {
      index_.reset();
    }
  }

  Chunks& chunks_;
  // Dropped when there is no memory for it: every pair then reads every
  // chunk.
  std::optional<ChunkIndex>& index_;
  std::vector<std::uint32_t> chunks_to_read_;
  std::vector<Staged> staged_;
  std::vector<Window> windows_;
};

// Without memory for the chunks: each pair a ReplaceAll.
void ReplacePairByPair(TextDocument& document, std::string_view list,
                       Messages& messages) {
  ReplacePair pair;
  for (PairReader reader(list); !document.text->empty() && reader.Next(pair);) {
    ReplaceAll(document, pair.search, pair.replacement, messages);
  }
}

}  // namespace

namespace replace_list_detail {

void ApplyReplaceList(TextDocument& document,
                      const std::optional<std::string>& replace_list,
                      Messages& messages, std::size_t chunk_bytes,
                      std::size_t indexed_bytes) {
  if (!document.text || !replace_list || document.text->empty()) return;
  std::optional<Chunks> chunks;
  std::vector<std::string_view> searches;
  try {
    chunks.emplace(*document.text, chunk_bytes);
    ReplacePair pair;
    for (PairReader reader(*replace_list); reader.Next(pair);) {
      searches.push_back(pair.search);
    }
  } catch (const std::bad_alloc&) {
    ReplacePairByPair(document, *replace_list, messages);
    return;
  } catch (const std::length_error&) {
    ReplacePairByPair(document, *replace_list, messages);
    return;
  }
  // Without memory for the index every pair reads every chunk. Texts
  // indexed by fewer bytes make a smaller index.
  std::optional<ChunkIndex> index;
  for (std::size_t cap = indexed_bytes; cap > 0 && !index; cap /= 2) {
    try {
      index.emplace(searches, cap, *chunks);
    } catch (const std::bad_alloc&) {
      index.reset();
    } catch (const std::length_error&) {
      index.reset();
    }
  }
  std::vector<std::string_view>().swap(searches);

  ChunkReplacer replacer(*chunks, index);
  ReplacePair pair;
  PairReader reader(*replace_list);
  for (std::size_t number = 0; chunks->TotalSize() != 0 && reader.Next(pair);
       ++number) {
    if (!pair.search.empty()) replacer.Apply(number, pair, messages);
  }
  if (chunks->Changed()) {
    ReportingLackOfMemory(messages, [&] { chunks->WriteBack(); });
  }
}

}  // namespace replace_list_detail

void ApplyReplaceList(TextDocument& document,
                      const std::optional<std::string>& replace_list,
                      Messages& messages) {
  replace_list_detail::ApplyReplaceList(document, replace_list, messages,
                                        kChunkBytes, kIndexedBytes);
}

}  // namespace quor
