#include "core/filters/replace_all.h"

#include <cstring>
#include <string>

#include "core/filters/find_no_case.h"

namespace quor {
namespace {

std::size_t FindFrom(const std::string& text, std::size_t from,
                     std::string_view search) {
  const std::size_t hit =
      FindNoCase(std::string_view(text).substr(from), search);
  return hit == std::string_view::npos ? hit : from + hit;
}

// When the replacement is not longer than the search text, the result never
// overtakes the text still to be read, so it is built in place: no second
// buffer, nothing that can fail.
void ReplaceInPlace(std::string& text, std::size_t hit, std::string_view search,
                    std::string_view replacement) {
  char* const data = text.data();
  std::size_t read = 0;
  std::size_t write = 0;
  while (hit != std::string_view::npos) {
    std::memmove(data + write, data + read, hit - read);
    write += hit - read;
    std::memcpy(data + write, replacement.data(), replacement.size());
    write += replacement.size();
    read = hit + search.size();
    hit = FindFrom(text, read, search);
  }
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

}  // namespace

void ReplaceAll(TextDocument& document, std::string_view search,
                std::string_view replacement, Messages& messages) {
  if (!document.text || search.empty()) return;
  const std::string& text = *document.text;
  std::size_t hit = FindFrom(text, 0, search);
  if (hit == std::string_view::npos) return;
  if (replacement.size() <= search.size()) {
    ReplaceInPlace(*document.text, hit, search, replacement);
    return;
  }
  std::string result;
  const bool built = ReportingLackOfMemory(messages, [&] {
    // A first guess; appending grows the buffer as far as needed.
    result.reserve(text.size() + text.size() / 8);
    std::size_t read = 0;
    while (hit != std::string_view::npos) {
      result.append(text, read, hit - read);
      result.append(replacement);
      read = hit + search.size();
      hit = FindFrom(text, read, search);
    }
    result.append(text, read);
  });
  if (built) document.text = std::move(result);
}

}  // namespace quor
