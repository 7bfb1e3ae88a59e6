#pragma once

#include <array>
#include <cstdint>
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

 private:
  bool windows_1252_ = true;
  std::array<char32_t, 128> high_{};
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
