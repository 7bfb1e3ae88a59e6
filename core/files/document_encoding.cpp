#include "core/files/document_encoding.h"

#include "core/files/utf16_text.h"
#include "core/files/utf8_text.h"
#include "core/filters/find_no_case.h"

namespace quor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

DecodedDocument DecodeUtf16Document(std::string& bytes, ByteOrder order) {
  const TextEncoding encoding = order == ByteOrder::kLittleEndian
                                    ? TextEncoding::kUtf16Le
                                    : TextEncoding::kUtf16Be;
  std::string text;
  const Utf16Reading reading = DecodeUtf16(
      std::string_view(bytes).substr(kUtf16LeMark.size()), order, text);
  // Not UTF-16 after all: bytes, which hold a zero byte as a rule.
  if (reading == Utf16Reading::kMalformed) {
    const bool zero = bytes.find('\0') != std::string::npos;
    return {zero ? DecodeStatus::kHoldsZero : DecodeStatus::kOk,
            TextEncoding::kCp1252};
  }
  if (text.find('\0') != std::string::npos) {
    return {DecodeStatus::kHoldsZero, encoding};
  }
  bytes = std::move(text);
  if (reading == Utf16Reading::kUtf8) {
    return {DecodeStatus::kOutsideCp1252, TextEncoding::kCp1252};
  }
  return {DecodeStatus::kOk, encoding};
}

DecodedDocument DecodeUtf8Document(std::string& bytes, CharacterSet set) {
  const bool marked = bytes.starts_with(kUtf8Mark);
  const Utf8Reading reading =
      DecodeUtf8ToCp1252(bytes, marked ? kUtf8Mark.size() : 0);
  if (!reading.well_formed) {
    return {
        set == CharacterSet::kUtf8 ? DecodeStatus::kNotUtf8 : DecodeStatus::kOk,
        TextEncoding::kCp1252};
  }
  if (!reading.all_cp1252) {
    return {DecodeStatus::kOutsideCp1252, TextEncoding::kCp1252};
  }
  // Plain ASCII is the same in both; only a chosen set or a mark says UTF-8.
  if (!marked && !reading.multibyte && set != CharacterSet::kUtf8) {
    return {DecodeStatus::kOk, TextEncoding::kCp1252};
  }
  return {DecodeStatus::kOk,
          marked ? TextEncoding::kUtf8Bom : TextEncoding::kUtf8};
}

}  // namespace

CharacterSet ParseCharacterSet(std::string_view value) {
  if (EqualsNoCase(value, "ANSI")) return CharacterSet::kAnsi;
  if (EqualsNoCase(value, "UTF-8")) return CharacterSet::kUtf8;
  return CharacterSet::kAuto;
}

bool StartsWithUtf16Mark(std::string_view bytes) {
  return bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark);
}

DecodedDocument DecodeDocument(std::string& bytes, CharacterSet set) {
  if (set == CharacterSet::kAnsi) {
    return {DecodeStatus::kOk, TextEncoding::kCp1252};
  }
  if (set == CharacterSet::kAuto && bytes.starts_with(kUtf16LeMark)) {
    return DecodeUtf16Document(bytes, ByteOrder::kLittleEndian);
  }
  if (set == CharacterSet::kAuto && bytes.starts_with(kUtf16BeMark)) {
    return DecodeUtf16Document(bytes, ByteOrder::kBigEndian);
  }
  return DecodeUtf8Document(bytes, set);
}

std::string EncodeDocument(std::string_view text, TextEncoding encoding) {
  std::string bytes;
  switch (encoding) {
    case TextEncoding::kCp1252:
      bytes = text;
      break;
    case TextEncoding::kUtf8Bom:
      bytes = kUtf8Mark;
      [[fallthrough]];
    case TextEncoding::kUtf8:
      AppendCp1252AsUtf8(text, bytes);
      break;
    case TextEncoding::kUtf16Le:
      bytes = kUtf16LeMark;
      AppendCp1252AsUtf16(text, ByteOrder::kLittleEndian, bytes);
      break;
    case TextEncoding::kUtf16Be:
      bytes = kUtf16BeMark;
      AppendCp1252AsUtf16(text, ByteOrder::kBigEndian, bytes);
      break;
  }
  return bytes;
}

TextEncoding EncodingOfNewText(CharacterSet set) {
  return set == CharacterSet::kUtf8 ? TextEncoding::kUtf8
                                    : TextEncoding::kCp1252;
}

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kCp1252:
      break;
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kUtf8Bom:
      return "UTF-8 mit BOM";
    case TextEncoding::kUtf16Le:
      return "UTF-16 LE";
    case TextEncoding::kUtf16Be:
      return "UTF-16 BE";
  }
  return "Windows-1252";
}

}  // namespace quor
