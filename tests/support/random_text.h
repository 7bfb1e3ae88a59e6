#pragma once

#include <cstdlib>
#include <random>
#include <string>

namespace quor::testing {

// Iterations of the differential tests: a fixed number in CI, more when
// QUOR_DIFF_ITERATIONS asks for a longer run.
inline int DifferentialIterations(int ci_default) {
  const char* wanted = std::getenv("QUOR_DIFF_ITERATIONS");
  return wanted != nullptr ? std::atoi(wanted) : ci_default;
}

// Random text from an alphabet skewed towards what trips the filters up:
// letters of both cases, the German letters, other high bytes, blanks,
// tabs, line breaks, control bytes and punctuation. Never a zero byte.
inline std::string RandomText(std::mt19937& rng, std::size_t max_length) {
  static constexpr char kPieces[][4] = {
      "a",    "A",    "b",    "B",    "e",    "x",    "Z",    "z",    "\xC4",
      "\xE4", "\xD6", "\xF6", "\xDC", "\xFC", "\xDF", "\xE9", "\x80", "\xFF",
      " ",    " ",    "\t",   "\r",   "\n",   "\r\n", "\x01", "\x1F", "-",
      "*",    ")",    ",",    ".",    ";",    "&",    "<",    ">",    "@",
      "`",    "[",    "{",    "0",    "7"};
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::string text;
  const std::size_t n = length(rng);
  while (text.size() < n) text += kPieces[piece(rng)];
  return text;
}

}  // namespace quor::testing
