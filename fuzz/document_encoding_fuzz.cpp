// Document files in any character set: what is read as Unicode is written
// back to exactly the bytes it came from, and a text never holds a zero.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/document_encoding.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  const std::string file(reinterpret_cast<const char*>(data), size);
  for (const CharacterSet set :
       {CharacterSet::kAuto, CharacterSet::kAnsi, CharacterSet::kUtf8}) {
    // The read refuses zero bytes outside UTF-16 before decoding.
    const bool zero_read =
        set == CharacterSet::kAuto && StartsWithUtf16Mark(file);
    if (!zero_read && file.find('\0') != std::string::npos) continue;
    std::string text = file;
    const DecodedDocument decoded = DecodeDocument(text, set);
    if (decoded.status == DecodeStatus::kNotUtf8 ||
        decoded.status == DecodeStatus::kHoldsZero) {
      ExpectEqual("a refused file is left alone", text, file);
      continue;
    }
    if (decoded.encoding == TextEncoding::kCp1252) {
      // Bytes stay bytes; only UTF-16 with characters Windows-1252 lacks
      // becomes its UTF-8 form.
      if (!StartsWithUtf16Mark(file) || set != CharacterSet::kAuto ||
          decoded.status == DecodeStatus::kOk) {
        ExpectEqual("bytes are kept", text, file);
      }
      continue;
    }
    Expect(decoded.status == DecodeStatus::kOk, "a Unicode text decodes");
    Expect(text.find('\0') == std::string::npos, "the text holds no zero");
    ExpectEqual("the text is written back as it was read",
                EncodeDocument(text, decoded.encoding), file);
  }
  return 0;
}
