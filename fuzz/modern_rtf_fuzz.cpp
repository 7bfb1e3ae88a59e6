// The modern RTF reader on any bytes: it ends, keeps no zero byte, writes a
// text bounded by the source's length and reports each damage at most once.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/filters/text_document.h"
#include "core/rtf/modern_rtf.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  const std::string source =
      UpToZero(std::string_view(reinterpret_cast<const char*>(data), size));

  RecordingMessages messages;
  TextDocument document{source};
  ConvertRtfModern(document, messages);

  Expect(document.text.has_value(), "a text after the conversion");
  Expect(document.text->find('\0') == std::string::npos, "no zero byte");
  // A source byte gives at most one numeric reference ("&#63743;" for a
  // byte of another code page); footnote numbers are shorter than their
  // control words.
  Expect(document.text->size() <= 8 * source.size(),
         "text bounded by the source");
  bool unbalanced = false;
  bool incomplete = false;
  for (const auto& [caption, text] : messages.shown) {
    ExpectEqual("RTF message caption", caption, "RTF-Error");
    bool& seen = text == kRtfGroupsUnbalanced ? unbalanced : incomplete;
    Expect(text == kRtfGroupsUnbalanced || text == kRtfFileIncomplete,
           "a known damage");
    Expect(!seen, "each damage once");
    seen = true;
  }
  return 0;
}
