#include "reference/word_list_reference.h"

#include <cstddef>
#include <vector>

#include "core/filters/char_classes.h"
#include "reference/replace_reference.h"

namespace quor::reference {
namespace {

bool Letter(char c) { return IsWordLetter(static_cast<unsigned char>(c)); }
bool NonLetter(char c) { return IsNonLetter(static_cast<unsigned char>(c)); }
bool Break(char c) { return c == '\r' || c == '\n'; }

// Reads one field of at most 1000 bytes and skips the line breaks behind it.
std::string ReadField(const char*& p) {
  std::string field;
  while (*p != 0 && !Break(*p) && field.size() < 1000) field += *p++;
  while (Break(*p)) ++p;
  return field;
}

}  // namespace

std::string ApplyExcludeList(const std::string& text, const std::string& list) {
  const char* l = list.c_str();
  std::vector<std::size_t> starts = {0};
  for (std::size_t i = 1; i < list.size(); ++i) {
    if (Letter(l[i]) && NonLetter(l[i - 1])) starts.push_back(i);
  }
  std::string buffer = text;
  char* d = buffer.data();  // zero-terminated
  std::size_t p = 0;
  std::size_t w = 0;
  bool removed = false;
  while (d[p] != 0) {
    std::size_t matched = 0;
    for (const std::size_t s : starts) {
      std::size_t k = 0;
      // The list's terminator never compares equal, nor runs the comparison
      // past the document's last byte.
      while (d[p + k] != 0 && l[s + k] != 0 &&
             (d[p + k] | 0x20) == (l[s + k] | 0x20)) {
        ++k;
      }
      if (k >= 1 && Break(l[s + k])) {
        matched = k;
        break;
      }
    }
    if (matched != 0) {
      p += matched;
      removed = true;
    } else {
      while (Letter(d[p])) d[w++] = d[p++];
    }
    while (NonLetter(d[p])) d[w++] = d[p++];
  }
  if (removed) d[w] = 0;
  return std::string(d);
}

std::string ApplyReplaceList(const std::string& text, const std::string& list) {
  std::string result = text;
  const char* p = list.c_str();
  while (!result.empty() && *p != 0) {
    const std::string search = ReadField(p);
    const std::string replacement = ReadField(p);
    result = ReplaceAll(result, search, replacement);
  }
  return result;
}

}  // namespace quor::reference
