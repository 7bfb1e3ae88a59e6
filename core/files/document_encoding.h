#pragma once

#include <string>
#include <string_view>

#include "core/filters/text_document.h"

namespace quor {

// The setting "Zeichensatz": how document files are read.
enum class CharacterSet {
  kAuto,  // a byte order mark, or UTF-8 with a multi-byte character
  kAnsi,  // every file is Windows-1252 bytes
  kUtf8,  // every file is UTF-8
};

// "Auto", "ANSI" or "UTF-8" in any case; anything else is kAuto.
CharacterSet ParseCharacterSet(std::string_view value);

// Whether `bytes` begin with a UTF-16 byte order mark (either order).
bool StartsWithUtf16Mark(std::string_view bytes);

enum class DecodeStatus {
  kOk,
  // A Unicode text with characters that Windows-1252 lacks: kept as the
  // bytes of its file, or, for UTF-16, of its UTF-8 form.
  kOutsideCp1252,
  kNotUtf8,    // refused: the set is UTF-8 and the bytes are not
  kHoldsZero,  // refused: the text would hold a zero byte
};

struct DecodedDocument {
  DecodeStatus status;
  TextEncoding encoding;
};

// Turns the bytes of a document file into the document's text, in place, and
// tells the encoding to write it back in. A refused file's bytes are left as
// they are. The bytes are as a read gives them: without a zero byte unless
// the set is kAuto and they start with a UTF-16 mark.
DecodedDocument DecodeDocument(std::string& bytes, CharacterSet set);

// The bytes of a file holding the document text `text` in `encoding`, its
// byte order mark included.
std::string EncodeDocument(std::string_view text, TextEncoding encoding);

// The encoding a text that came from no file (the clipboard) is saved in:
// UTF-8 when every file is, else Windows-1252.
TextEncoding EncodingOfNewText(CharacterSet set);

// The encoding's name as the user sees it.
std::string_view EncodingName(TextEncoding encoding);

}  // namespace quor
