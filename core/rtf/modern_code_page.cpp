#include "core/rtf/modern_code_page.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string>

#include "core/filters/cp1252_chars.h"

namespace quor {
namespace {

// The C library's name for an RTF code page number.
std::string IconvName(std::int32_t number) {
  if (number == 10000) return "MACINTOSH";
  return "CP" + std::to_string(number);
}

// The character of one byte through `cd`, nothing for a byte the page
// leaves unassigned, or -1 when the byte starts a longer sequence.
std::optional<std::int64_t> ConvertByte(iconv_t cd, unsigned char byte) {
  char in = static_cast<char>(byte);
  std::array<unsigned char, 4> c{};
  char* in_ptr = &in;
  std::size_t in_left = 1;
  char* out_ptr = reinterpret_cast<char*>(c.data());
  std::size_t out_left = c.size();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) ==
      static_cast<std::size_t>(-1)) {
    if (errno == EINVAL) return -1;
    return std::nullopt;
  }
  // Pages that combine accents (1258) hold a letter back until they see
  // what follows: ask for it.
  iconv(cd, nullptr, nullptr, &out_ptr, &out_left);
  if (out_left != 0) return std::nullopt;
  return (std::int64_t{c[1]} << 16) | (std::int64_t{c[2]} << 8) | c[3];
}

// The single-byte pages RTF documents name.
constexpr auto kTakenPages = std::to_array<std::int32_t>(
    {437,  737,  775,  850,  852,  855,  857,  860,  861,
     862,  863,  864,  865,  866,  869,  874,  1250, 1251,
     1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000});

}  // namespace

ModernCodePage::ModernCodePage() {
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    high_[byte - 0x80] = Cp1252Char(static_cast<unsigned char>(byte));
  }
  Spell();
}

void ModernCodePage::Spell() {
  for (std::size_t i = 0; i < high_.size(); ++i) {
    std::string text;
    AppendCp1252OrReference(text, high_[i]);
    // "&#1114111;" is the longest there is.
    std::ranges::copy(text, written_[i].bytes.begin());
    written_[i].size = static_cast<unsigned char>(text.size());
  }
}

ModernCodePage ModernCodePage::Load(std::int32_t number) {
  ModernCodePage page;
  if (number == 1252 || number <= 0) return page;
  // Built through the C library's converters once per page and document:
  // 128 calls, and no tables of our own to get wrong.
  iconv_t cd = iconv_open("UTF-32BE", IconvName(number).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return page;
  std::array<char32_t, 128> high = page.high_;
  bool single_byte = true;
  for (unsigned byte = 0x80; byte < 0x100 && single_byte; ++byte) {
    const auto c = ConvertByte(cd, static_cast<unsigned char>(byte));
    if (!c) continue;  // unassigned: the byte stays as Windows-1252 reads it
    if (*c < 0)
      single_byte = false;
    else
      high[byte - 0x80] = static_cast<char32_t>(*c);
  }
  iconv_close(cd);
  if (!single_byte) return page;
  page.high_ = high;
  page.windows_1252_ = false;
  page.Spell();
  return page;
}

const ModernCodePage& ModernCodePages::Get(std::int32_t number) {
  if (std::ranges::find(kTakenPages, number) == kTakenPages.end()) {
    return windows_1252_;
  }
  for (const auto& [loaded_number, page] : loaded_) {
    if (loaded_number == number) return page;
  }
  loaded_.emplace_back(number, ModernCodePage::Load(number));
  return loaded_.back().second;
}

}  // namespace quor
