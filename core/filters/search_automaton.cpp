#include "core/filters/search_automaton.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quor {
namespace {

// Table cells for the full rows of the first nodes: 4 MB.
constexpr std::size_t kRowCells = std::size_t{1} << 20;

unsigned char Folded(char c) {
  return ToUpperAscii(static_cast<unsigned char>(c));
}

bool FoldedLess(std::string_view a, std::string_view b) {
  return std::ranges::lexicographical_compare(
      a, b, [](char x, char y) { return Folded(x) < Folded(y); });
}

// A text's first sixteen folded bytes as two numbers, the first byte
// highest: most texts sort by them alone and need no look at the list, and
// short ones are copied from them.
struct Keyed {
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t text;
  std::uint32_t length;
};

Keyed KeyOf(std::string_view cut, std::uint32_t text) {
  Keyed keyed{0, 0, text, static_cast<std::uint32_t>(cut.size())};
  for (std::size_t i = 0; i < 16; ++i) {
    std::uint64_t& half = i < 8 ? keyed.high : keyed.low;
    half = half << 8 | (i < cut.size() ? Folded(cut[i]) : 0);
  }
  return keyed;
}

unsigned char KeyByte(const Keyed& keyed, std::size_t i) {
  const std::uint64_t half = i < 8 ? keyed.high : keyed.low;
  return static_cast<unsigned char>(half >> (56 - 8 * (i % 8)));
}

}  // namespace

SearchAutomaton::SearchAutomaton(std::span<const std::string_view> texts,
                                 std::size_t cap) {
  Build(texts, cap);
  FillRows();
}

void SearchAutomaton::Build(std::span<const std::string_view> texts,
                            std::size_t cap) {
  if (texts.size() >= kNone || cap >= kNone) {
    throw std::length_error("automaton");
  }
  const auto cut = [&](std::uint32_t text) {
    return texts[text].substr(0, cap);
  };
  // The list is read in order here; afterwards only texts longer than the
  // keys are looked up there again.
  std::vector<Keyed> sorted;
  sorted.reserve(texts.size());
  std::size_t total = 0;
  for (std::size_t text = 0; text < texts.size(); ++text) {
    const std::string_view bytes = cut(static_cast<std::uint32_t>(text));
    if (bytes.empty()) continue;
    sorted.push_back(KeyOf(bytes, static_cast<std::uint32_t>(text)));
    total += bytes.size();
    longest_ = std::max(longest_, bytes.size());
    for (const char c : bytes) class_of_[Folded(c)] = 1;
  }
  std::ranges::sort(sorted, [&](const Keyed& a, const Keyed& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return FoldedLess(cut(a.text), cut(b.text));
  });
  std::uint8_t classes = 0;
  for (std::uint8_t& of : class_of_) {
    if (of != 0) of = ++classes;
  }
  for (std::size_t c = 0; c < class_of_.size(); ++c) {
    class_of_[c] = class_of_[ToUpperAscii(static_cast<unsigned char>(c))];
  }
  while ((std::size_t{1} << shift_) <= classes) ++shift_;

  // The texts' classes in sorted order, one after the other: building reads
  // them a level at a time.
  std::vector<std::uint8_t> bytes(total);
  std::vector<std::size_t> offset(sorted.size() + 1);
  std::size_t at = 0;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    // The list is far bigger than the caches: fetch a few texts ahead.
    if (i + 8 < sorted.size() && sorted[i + 8].length > 16) {
      __builtin_prefetch(texts[sorted[i + 8].text].data() + 16);
    }
    offset[i] = at;
    const Keyed& keyed = sorted[i];
    for (std::size_t j = 0; j < std::min<std::size_t>(keyed.length, 16); ++j) {
      bytes[at++] = class_of_[KeyByte(keyed, j)];
    }
    if (keyed.length > 16) {
      for (const char c : cut(keyed.text).substr(16)) {
        bytes[at++] = class_of_[static_cast<unsigned char>(c)];
      }
    }
  }
  offset[sorted.size()] = at;
  const auto length = [&](std::size_t i) { return offset[i + 1] - offset[i]; };
  const auto class_at = [&](std::size_t i, std::size_t depth) {
    return bytes[offset[i] + depth];
  };

  // A node is the run of sorted texts that share its path; nodes are made
  // in the order they are visited, so a node's children come out together.
  struct Run {
    std::uint32_t begin;
    std::uint32_t end;
  };
  std::vector<Run> runs = {{0, static_cast<std::uint32_t>(sorted.size())}};
  label_.push_back(0);
  fail_.push_back(kStart);
  ending_of_text_.assign(texts.size(), kNone);
  std::size_t depth = 0;
  std::size_t level_end = 1;
  for (std::size_t node = 0; node < runs.size(); ++node) {
    if (node == level_end) {
      ++depth;
      level_end = runs.size();
    }
    std::uint32_t i = runs[node].begin;
    const std::uint32_t end = runs[node].end;
    // The shorter texts sort first: those ending here.
    std::uint32_t own = kNone;
    if (node != kStart && length(i) == depth) {
      own = static_cast<std::uint32_t>(next_ending_.size());
      next_ending_.push_back(ending_[fail_[node]]);
      for (; i < end && length(i) == depth; ++i) {
        ending_of_text_[sorted[i].text] = own;
      }
    }
    ending_.push_back(own != kNone || node == kStart ? own
                                                     : ending_[fail_[node]]);
    first_child_.push_back(static_cast<std::uint32_t>(runs.size()));
    while (i < end) {
      const std::uint8_t label = class_at(i, depth);
      const std::uint32_t begin = i;
      while (i < end && class_at(i, depth) == label) ++i;
      if (runs.size() >= kNone - 1) throw std::length_error("automaton");
      // The longest proper suffix of the child's path that is a node: the
      // parent's fallbacks all lie at lower levels, whose children exist.
      State fail = kStart;
      if (node != kStart) {
        for (State s = fail_[node];; s = fail_[s]) {
          fail = Child(s, label);
          if (fail != kNone || s == kStart) break;
        }
        if (fail == kNone) fail = kStart;
      }
      runs.push_back({begin, i});
      label_.push_back(label);
      fail_.push_back(fail);
    }
  }
  first_child_.push_back(static_cast<std::uint32_t>(runs.size()));
  ends_.reserve(ending_.size());
  for (const std::uint32_t ending : ending_) ends_.push_back(ending != kNone);
}

// The first nodes get a row of where every class leads: their own child,
// else where their fallback's row leads, which comes earlier.
void SearchAutomaton::FillRows() {
  const std::size_t width = std::size_t{1} << shift_;
  rows_ = static_cast<std::uint32_t>(
      std::min(fail_.size(), std::max<std::size_t>(1, kRowCells / width)));
  row_next_.assign(std::size_t{rows_} * width, kStart);
  for (State state = 0; state < rows_; ++state) {
    State* const row = row_next_.data() + std::size_t{state} * width;
    if (state != kStart) {
      std::copy_n(row_next_.data() + std::size_t{fail_[state]} * width, width,
                  row);
    }
    for (std::uint32_t child = first_child_[state];
         child < first_child_[state + 1]; ++child) {
      row[label_[child]] = child;
    }
  }
}

SearchAutomaton::State SearchAutomaton::Child(State state,
                                              std::uint8_t of) const {
  const auto first = label_.begin() + first_child_[state];
  const auto end = label_.begin() + first_child_[state + 1];
  const auto found = std::find(first, end, of);
  return found == end ? kNone : static_cast<State>(found - label_.begin());
}

}  // namespace quor
