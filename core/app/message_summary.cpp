#include "core/app/message_summary.h"

#include <algorithm>

namespace quor {

void MessageSummary::Add(std::string_view text, std::string_view caption) {
  const auto same = std::ranges::find_if(entries_, [&](const Entry& entry) {
    return entry.text == text && entry.caption == caption;
  });
  if (same != entries_.end()) {
    ++same->count;
    return;
  }
  entries_.push_back({std::string(caption), std::string(text), 1});
}

const std::string& MessageSummary::Caption() const {
  static const std::string kNone;
  return entries_.empty() ? kNone : entries_.front().caption;
}

std::string MessageSummary::Text() const {
  std::string text;
  for (const Entry& entry : entries_) {
    if (!text.empty()) text += '\n';
    text += entry.text;
    if (entry.count > 1) {
      text += " (" + std::to_string(entry.count) + "\u00D7)";
    }
  }
  return text;
}

}  // namespace quor
