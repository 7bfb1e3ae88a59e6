#include "core/filters/keep_nouns.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

#include "core/filters/byte_classes.h"
#include "core/filters/char_classes.h"

namespace quor {
namespace {

constexpr std::size_t kBlock = kClassifiedBlock;

// Calls on_block(block, offset, starts, nouns) for each block of the text:
// `starts` marks the first letters of nouns (words that start with A-Z),
// `nouns` every letter of a noun. The last block is padded with zero bytes,
// which are no letters. The letters only and blank steps that come first in
// the filter never join or split a word, so the nouns can be read straight
// from the unchanged text.
template <typename OnBlock>
void ForEachBlock(const std::string& text, OnBlock on_block) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  std::uint64_t previous_letter = 0;
  std::uint64_t carry = 0;
  std::array<unsigned char, kBlock> padded{};
  for (std::size_t offset = 0; offset < size; offset += kBlock) {
    const unsigned char* block = bytes + offset;
    if (size - offset < kBlock) {
      std::memcpy(padded.data(), block, size - offset);
      block = padded.data();
    }
    const LetterMasks masks = ClassifyLetters(block);
    const std::uint64_t starts =
        masks.capitals & ~((masks.letters << 1) | previous_letter);
    // Adding a word's first bit to the letter bits carries through the word
    // and clears it; the carry out of the block continues a noun in the next.
    const std::uint64_t partial = masks.letters + starts;
    const std::uint64_t sum = partial + carry;
    carry = (partial < masks.letters || sum < partial) ? 1 : 0;
    const std::uint64_t nouns = (masks.letters ^ sum) & masks.letters;
    previous_letter = masks.letters >> (kBlock - 1);
    on_block(block, offset, starts, nouns);
  }
}

// What the letters only and blank steps leave: the words with one blank
// between them, and one blank after the last when non-letters followed it.
void JoinWords(std::string& text) {
  std::size_t write = 0;
  bool blank_due = false;
  for (const char c : text) {
    if (!IsLetterByte(c)) {
      blank_due = true;
      continue;
    }
    if (blank_due && write > 0) text[write++] = ' ';
    blank_due = false;
    text[write++] = c;
  }
  if (blank_due && write > 0) text[write++] = ' ';
  text.resize(write);
}

std::size_t ResultSize(std::size_t nouns, std::size_t letters,
                       std::size_t separator_size) {
  constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
  if (separator_size != 0 && nouns > (kMax - letters) / separator_size) {
    throw std::length_error("noun list");
  }
  return letters + nouns * separator_size;
}

}  // namespace

void KeepNouns(TextDocument& document, std::string_view separator,
               Messages& messages) {
  if (!document.text) return;
  std::string& text = *document.text;
  separator = separator.substr(0, separator.find('\0'));

  std::size_t nouns = 0;
  std::size_t letters = 0;
  ForEachBlock(text, [&](const unsigned char*, std::size_t,
                         std::uint64_t starts, std::uint64_t noun_letters) {
    nouns += static_cast<std::size_t>(std::popcount(starts));
    letters += static_cast<std::size_t>(std::popcount(noun_letters));
  });
  std::string result;
  if (!ReportingLackOfMemory(messages, [&] {
        result.resize(ResultSize(nouns, letters, separator.size()));
      })) {
    JoinWords(text);
    return;
  }

  char* out = result.data();
  ForEachBlock(text, [&](const unsigned char* block, std::size_t offset,
                         std::uint64_t starts, std::uint64_t noun_letters) {
    while (noun_letters != 0) {
      const int first = std::countr_zero(noun_letters);
      const int end = first + std::countr_one(noun_letters >> first);
      int i = first;
      if ((starts >> first) & 1) *out++ = static_cast<char>(block[i++]);
      for (; i < end; ++i) *out++ = static_cast<char>(ToLowerAscii(block[i]));
      // A noun that reaches the end of the block may go on in the next one;
      // the string's terminating zero stops it at the end of the text.
      const bool noun_ends = end < static_cast<int>(kBlock) ||
                             !IsLetterByte(text.c_str()[offset + kBlock]);
      if (noun_ends && !separator.empty()) {
        std::memcpy(out, separator.data(), separator.size());
        out += separator.size();
      }
      noun_letters = end < static_cast<int>(kBlock)
                         ? noun_letters & (~std::uint64_t{0} << end)
                         : 0;
    }
  });
  text.swap(result);
}

}  // namespace quor
