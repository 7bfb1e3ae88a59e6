// The HTML filter and its entity decoding against their plain versions; the
// modern reader on the same page, which must end without a zero byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/filters/html_entities.h"
#include "core/filters/html_to_text.h"
#include "core/filters/text_document.h"
#include "core/html/modern_html.h"
#include "fuzz/fuzz_support.h"
#include "reference/html_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  const std::string text =
      UpToZero(std::string_view(reinterpret_cast<const char*>(data), size));

  RecordingMessages messages;
  TextDocument document{text};
  HtmlToText(document, messages);
  ExpectEqual("HtmlToText on '" + text + "'", *document.text,
              reference::HtmlToText(text));
  Expect(messages.shown.empty(), "HtmlToText shows no message");

  TextDocument modern{text};
  ModernHtmlToText(modern, messages);
  Expect(modern.text->find('\0') == std::string::npos,
         "the modern reader gives no zero byte");
  Expect(messages.shown.empty(), "the modern reader shows no message");

  std::string decoded = text;
  DecodeEntities(decoded);
  ExpectEqual("DecodeEntities on '" + text + "'", decoded,
              reference::DecodeEntities(text));
  return 0;
}
