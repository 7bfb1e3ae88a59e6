#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace quor {

// The characters of the bytes 0x80 to 0xFF of one single-byte code page, as
// an RTF document names it with \ansicpg (or \mac, \pc, \pca). Bytes below
// 0x80 are ASCII in every page the reader accepts.
class ModernCodePage {
 public:
  // Windows-1252, the page of a document that names none.
  ModernCodePage();

  // The page `number` (1250 to 1258, 437, 850, 10000 and the other
  // single-byte pages the C library knows). A page it does not know, or one
  // of several bytes per character, leaves Windows-1252 in force: such a
  // document's escapes then come out as Latin letters rather than not at all.
  static ModernCodePage Load(std::int32_t number);

  bool IsWindows1252() const { return windows_1252_; }

  char32_t operator[](unsigned char byte) const {
    return byte < 0x80 ? byte : high_[byte - 0x80];
  }

  // The Windows-1252 byte or "&#N;" of a byte from 0x80, made once per page
  // rather than once per byte of a long text.
  std::string_view Written(unsigned char byte) const {
    const Spelling& spelling = written_[byte - 0x80];
    return {spelling.bytes.data(), spelling.size};
  }

 private:
  struct Spelling {
    std::array<char, 15> bytes{};
    unsigned char size = 0;
  };
  void Spell();

  bool windows_1252_ = true;
  std::array<char32_t, 128> high_{};
  std::array<Spelling, 128> written_{};
};

// The pages one conversion has loaded, each loaded once. Only the
// single-byte pages of Windows, DOS and the Mac are taken: a hostile file
// naming millions of numbers then costs a look-up each, not a converter.
class ModernCodePages {
 public:
  // The page `number`, or Windows-1252 for a number not taken.
  const ModernCodePage& Get(std::int32_t number);

 private:
  ModernCodePage windows_1252_;
  std::vector<std::pair<std::int32_t, ModernCodePage>> loaded_;
};

}  // namespace quor
