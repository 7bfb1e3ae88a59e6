#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The messages of one piece of work, each distinct text once with how often
// it came, in the order of first appearance.
class MessageSummary {
 public:
  void Add(std::string_view text, std::string_view caption);
  bool empty() const { return entries_.empty(); }
  void Clear() { entries_.clear(); }

  // The caption of the first message: the reader names its kind of trouble
  // there, and the first one is what the rest usually follows from.
  const std::string& Caption() const;
  // One line per distinct text, "(12×)" after a text that came more than
  // once; a single message reads exactly as it was shown.
  std::string Text() const;

 private:
  struct Entry {
    std::string caption;
    std::string text;
    std::size_t count;
  };
  std::vector<Entry> entries_;
};

}  // namespace quor
