#include "corpus.h"

#include <array>
#include <random>
#include <string_view>

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

}  // namespace quor::bench
