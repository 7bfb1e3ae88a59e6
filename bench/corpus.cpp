#include "corpus.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <random>
#include <string_view>
#include <utility>

namespace quor::bench {

std::string GermanText(std::size_t size) {
  static constexpr std::array<std::string_view, 24> kWords = {"der",
                                                              "Brief",
                                                              "kommt",
                                                              "m\xFC"
                                                              "de",
                                                              "an",
                                                              "Gr\xF6\xDF"
                                                              "e",
                                                              "und",
                                                              "Stra\xDF"
                                                              "e",
                                                              "\xC4pfel",
                                                              "\xFC"
                                                              "ber",
                                                              "Haus",
                                                              "Zeitung",
                                                              "schreibt",
                                                              "heute",
                                                              "2026",
                                                              "Kunden",
                                                              "B\xFC"
                                                              "cher",
                                                              "sp\xE4ter",
                                                              "Woche",
                                                              "mit",
                                                              "Rechnung",
                                                              "\xD6l",
                                                              "wir",
                                                              "schicken"};
  std::mt19937 rng(1234);
  std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
  std::uniform_int_distribution<int> line_width(60, 80);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string text;
  text.reserve(size + 100);
  std::size_t line_start = 0;
  int width = line_width(rng);
  while (text.size() < size) {
    text += kWords[word(rng)];
    const int roll = chance(rng);
    text += roll < 8 ? ". " : roll < 14 ? ", " : " ";
    if (static_cast<int>(text.size() - line_start) >= width) {
      text.pop_back();
      text += chance(rng) < 10 ? "\r\n\r\n" : "\r\n";
      line_start = text.size();
      width = line_width(rng);
    }
  }
  text.resize(size);
  return text;
}

std::string HtmlText(std::size_t size) {
  static constexpr std::pair<char, const char*> kUmlauts[] = {
      {'\xE4', "&auml;"}, {'\xF6', "&ouml;"}, {'\xFC', "&uuml;"},
      {'\xC4', "&Auml;"}, {'\xD6', "&Ouml;"}, {'\xDC', "&Uuml;"},
      {'\xDF', "&szlig;"}};
  const std::string plain = GermanText(size);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string html =
      "<html><head><title>Briefe</title>\r\n"
      "<style>p { margin: 0 }</style></head><body>\r\n<p>";
  html.reserve(size + 200);
  bool bold = false;
  for (std::size_t i = 0; html.size() < size; i = (i + 1) % plain.size()) {
    const auto entity =
        std::find_if(std::begin(kUmlauts), std::end(kUmlauts),
                     [&](const auto& u) { return u.first == plain[i]; });
    if (entity != std::end(kUmlauts)) {
      html += entity->second;
      continue;
    }
    switch (plain[i]) {
      case '\r':
        break;
      case '\n': {
        const int roll = chance(rng);
        html += roll < 2    ? "</p>\r\n<!-- Abschnitt -->\r\n<p>"
                : roll < 3  ? "</p>\r\n<script>if (a < b) c();</script>\r\n<p>"
                : roll < 4  ? "</p>\r\n<STYLE>b { color: red }</STYLE>\r\n<p>"
                : roll < 30 ? "</p>\r\n<p>"
                            : "<br>\r\n";
        break;
      }
      case ' ': {
        const int roll = chance(rng);
        html += bold ? "</b> " : roll < 3 ? "&nbsp;" : roll < 8 ? " <b>" : " ";
        bold = !bold && roll >= 3 && roll < 8;
        break;
      }
      default:
        html += plain[i];
    }
  }
  html.resize(size);
  return html;
}

std::string RtfText(std::size_t size) {
  const std::string plain = GermanText(size);
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> chance(0, 99);
  std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031"
      "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\r\n"
      "{\\stylesheet{\\s0\\f0\\fs24 Normal;}"
      "{\\s1\\sbasedon0\\snext0\\b\\f1\\fs32 heading 1;}}\r\n"
      "{\\info{\\title Briefe}{\\author Quor}{\\creatim\\yr2026\\mo1\\dy5}}\r\n"
      "\\paperw11906\\paperh16838\\margl1417\\margr1417\\sectd\r\n"
      "\\pard\\plain\\s0\\f0\\fs24 ";
  rtf.reserve(size + 200);
  char hex[8];
  for (std::size_t i = 0; rtf.size() < size; i = (i + 1) % plain.size()) {
    const auto byte = static_cast<unsigned char>(plain[i]);
    if (byte >= 0x80) {
      if (chance(rng) < 50) rtf += "\\u" + std::to_string(byte);
      std::snprintf(hex, sizeof hex, "\\'%02x", byte);
      rtf += hex;
      continue;
    }
    switch (byte) {
      case '\r':
        break;
      case '\n': {
        const int roll = chance(rng);
        rtf += roll < 2    ? "\\par\r\n\\trowd\\cellx3000\\cellx6000\\pard"
                             "\\intbl Nord\\cell 120\\cell\\row\\pard "
               : roll < 30 ? "\\par\r\n\\pard\\plain\\s0\\f0\\fs24 "
                           : "\\par\r\n";
        break;
      }
      case ' ': {
        const int roll = chance(rng);
        rtf += roll < 3   ? " {\\b "
               : roll < 5 ? "} "
               : roll < 6 ? "{\\super\\chftn}{\\footnote\\pard\\plain\\fs20 "
                            "{\\super\\chftn} Anmerkung.} "
               : roll < 7 ? " {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}} "
               : roll < 8 ? "\\tab "
                          : " ";
        break;
      }
      default:
        rtf += plain[i];
        break;
    }
  }
  rtf.resize(size - 1);
  rtf += '}';
  return rtf;
}

const std::string& CachedGermanText(std::size_t megabytes) {
  static std::map<std::size_t, std::string> texts;
  auto [it, added] = texts.try_emplace(megabytes);
  if (added) it->second = GermanText(megabytes << 20);
  return it->second;
}

}  // namespace quor::bench
