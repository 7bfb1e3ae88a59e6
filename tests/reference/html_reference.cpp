#include "reference/html_reference.h"

#include <cstring>

#include "reference/replace_reference.h"

namespace quor::reference {
namespace {

constexpr Entity kEntities[] = {
    {"&nbsp;", 0x20},   {"&quot;", 0x27},   {"&gt;", 0x3E},
    {"&lt;", 0x3C},     {"&amp;", 0x26},    {"&auml;", 0xE4},
    {"&ouml;", 0xF6},   {"&uuml;", 0xFC},   {"&Auml;", 0xC4},
    {"&Ouml;", 0xD6},   {"&Uuml;", 0xDC},   {"&szlig;", 0xDF},
    {"&copy;", 0xA9},   {"&shy;", 0xAD},    {"&Agrave;", 0xC0},
    {"&Aacute;", 0xC1}, {"&Acirc;", 0xC2},  {"&Atilde;", 0xC3},
    {"&Aring;", 0xC5},  {"&AElig;", 0xC6},  {"&Ccedil;", 0xC7},
    {"&Egrave;", 0xC8}, {"&Eacute;", 0xC9}, {"&Ecirc;", 0xCA},
    {"&Euml;", 0xCB},   {"&Igrave;", 0xCC}, {"&Iacute;", 0xCD},
    {"&Icirc;", 0xCE},  {"&Iuml;", 0xCF},   {"&ETH;", 0xD0},
    {"&Ntilde;", 0xD1}, {"&Ograve;", 0xD2}, {"&Oacute;", 0xD3},
    {"&Ocirc;", 0xD4},  {"&Otilde;", 0xD5}, {"&Oslash;", 0xD8},
    {"&Ugrave;", 0xD9}, {"&Uacute;", 0xDA}, {"&Ucirc;", 0xDB},
    {"&Yacute;", 0xDD}, {"&THORN;", 0xDE},  {"&agrave;", 0xE0},
    {"&aacute;", 0xE1}, {"&acirc;", 0xE2},  {"&atilde;", 0xE3},
    {"&aring;", 0xE5},  {"&aelig;", 0xE6},  {"&ccedil;", 0xE7},
    {"&egrave;", 0xE8}, {"&eacute;", 0xE9}, {"&ecirc;", 0xEA},
    {"&euml;", 0xEB},   {"&igrave;", 0xEC}, {"&iacute;", 0xED},
    {"&icirc;", 0xEE},  {"&iuml;", 0xEF},   {"&eth;", 0xF0},
    {"&ntilde;", 0xF1}, {"&ograve;", 0xF2}, {"&oacute;", 0xF3},
    {"&ocirc;", 0xF4},  {"&otilde;", 0xF5}, {"&oslash;", 0xF8},
    {"&ugrave;", 0xF9}, {"&uacute;", 0xFA}, {"&ucirc;", 0xFB},
    {"&yacute;", 0xFD}, {"&thorn;", 0xFE},  {"&yuml;", 0xFF},
    {"&#169;", 0xA9},   {"&middot;", 0xB7},
};

// ReplaceAll with exact matching.
std::string ReplaceAllExact(const std::string& text, const char* search,
                            const std::string& replacement) {
  if (std::strstr(text.c_str(), search) == nullptr) return text;
  std::string out;
  const char* read = text.c_str();
  while (const char* hit = std::strstr(read, search)) {
    out.append(read, hit);
    out += replacement;
    read = hit + std::strlen(search);
  }
  out += read;
  return out;
}

void RemoveBlocks(std::string& text, const char* start, const char* stop) {
  long p = 0;
  for (;;) {
    const long begin = FindNoCase(text.c_str() + p, start);
    if (begin < 0) return;
    p += begin;
    const long end = FindNoCase(text.c_str() + p, stop);
    if (end < 0) return;
    text.erase(static_cast<std::size_t>(p),
               static_cast<std::size_t>(end) + std::strlen(stop));
  }
}

std::string KeepTextBetweenTags(const std::string& text) {
  std::string out;
  const char* read = text.c_str();
  for (;;) {
    const long close = FindNoCase(read, ">");
    if (close < 0) break;
    read += close + 1;
    const long open = FindNoCase(read, "<");
    if (open < 0) break;
    out += ' ';
    out.append(read, static_cast<std::size_t>(open));
    read += open;
    int i = 0;
    while (i < 4 &&
           FoldUpper(static_cast<unsigned char>(read[i])) == "<BR>"[i]) {
      ++i;
    }
    if (i == 4) out += "\r\n";
  }
  return out;
}

}  // namespace

std::span<const Entity> EntityTable() { return kEntities; }

std::string DecodeEntities(std::string text) {
  for (const Entity& entity : kEntities) {
    text = ReplaceAllExact(text, entity.name,
                           std::string(1, static_cast<char>(entity.byte)));
  }
  return text;
}

std::string HtmlToText(std::string text) {
  RemoveBlocks(text, "<!--", "-->");
  RemoveBlocks(text, "<STYLE>", "</STYLE>");
  RemoveBlocks(text, "<SCRIPT>", "</SCRIPT>");
  return DecodeEntities(KeepTextBetweenTags(text));
}

}  // namespace quor::reference
