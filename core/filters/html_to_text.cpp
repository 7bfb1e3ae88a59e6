#include "core/filters/html_to_text.h"

#include <cstring>
#include <string>
#include <string_view>

#include "core/filters/find_no_case.h"
#include "core/filters/html_entities.h"
#include "core/filters/in_place_edit.h"

namespace quor {
namespace {

// The first match of `needle` in [p, end), or nullptr.
const char* Find(const char* p, const char* end, std::string_view needle) {
  const std::size_t hit = FindNoCase(
      std::string_view(p, static_cast<std::size_t>(end - p)), needle);
  return hit == std::string_view::npos ? nullptr : p + hit;
}

const char* FindByte(const char* p, const char* end, char byte) {
  return static_cast<const char*>(
      std::memchr(p, byte, static_cast<std::size_t>(end - p)));
}

// Drops every block from `start` through `stop`. After a block the text
// there is what followed it, so the search goes on right behind it. The stop
// marker is searched from the block's first byte on.
void RemoveBlocks(std::string& text, std::string_view start,
                  std::string_view stop) {
  InPlaceEdit edit(text);
  const char* const end = edit.end();
  const char* p = edit.begin();
  while (const char* block = Find(p, end, start)) {
    const char* block_stop = Find(block, end, stop);
    if (block_stop == nullptr) break;
    p = block_stop + stop.size();
    edit.Drop(block, p);
  }
  edit.Finish();
}

// Keeps the stretches between tags. Written in place: before each stretch
// the output ends at or before the ">" that opens it, and a "<BR>" is read
// whole before its CR LF lands on its first two bytes.
void KeepTextBetweenTags(std::string& text) {
  char* const begin = text.data();
  const char* const end = begin + text.size();
  char* out = begin;
  const char* p = begin;
  for (;;) {
    const char* close = FindByte(p, end, '>');
    if (close == nullptr) break;
    const char* stretch = close + 1;
    const char* open = FindByte(stretch, end, '<');
    if (open == nullptr) break;
    *out++ = ' ';
    const auto length = static_cast<std::size_t>(open - stretch);
    std::memmove(out, stretch, length);
    out += length;
    p = open;
    if (end - open >= 4 && EqualNoCase(open, "<BR>", 4)) {
      *out++ = '\r';
      *out++ = '\n';
      p = open + 3;  // its ">", untouched
    }
  }
  text.resize(static_cast<std::size_t>(out - begin));
}

}  // namespace

void HtmlToText(TextDocument& document, Messages& /*messages*/) {
  if (!document.text) return;
  std::string& text = *document.text;
  RemoveBlocks(text, "<!--", "-->");
  RemoveBlocks(text, "<STYLE>", "</STYLE>");
  RemoveBlocks(text, "<SCRIPT>", "</SCRIPT>");
  KeepTextBetweenTags(text);
  DecodeEntities(text);
}

}  // namespace quor
