#include "filters/replace_all.h"

#include <new>
#include <stdexcept>
#include <string>

#include "filters/find_no_case.h"

namespace quor {
namespace {

std::size_t FindFrom(const std::string& text, std::size_t from,
                     std::string_view search) {
  const std::size_t hit =
      FindNoCase(std::string_view(text).substr(from), search);
  return hit == std::string_view::npos ? hit : from + hit;
}

}  // namespace

void ReplaceAll(TextDocument& document, std::string_view search,
                std::string_view replacement, Messages& messages) {
  if (!document.text || search.empty()) return;
  const std::string& text = *document.text;
  std::size_t hit = FindFrom(text, 0, search);
  if (hit == std::string_view::npos) return;
  std::string result;
  try {
    // A first guess; appending grows the buffer when replacements lengthen.
    result.reserve(replacement.size() <= search.size()
                       ? text.size()
                       : text.size() + text.size() / 8);
    std::size_t read = 0;
    while (hit != std::string_view::npos) {
      result.append(text, read, hit - read);
      result.append(replacement);
      read = hit + search.size();
      hit = FindFrom(text, read, search);
    }
    result.append(text, read);
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return;
  } catch (const std::length_error&) {
    messages.Show(kNoMemory, kCaptionError);
    return;
  }
  document.text = std::move(result);
}

}  // namespace quor
