// The RTF conversion against its plain transcription: the same text, the
// same messages in the same order and the same character set at the end.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/filters/text_document.h"
#include "core/rtf/convert_rtf.h"
#include "fuzz/fuzz_support.h"
#include "reference/rtf_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  if (size == 0) return 0;
  const int charset = data[0] % 4;
  const std::string source = UpToZero(
      std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

  RecordingMessages messages;
  TextDocument document{source};
  RtfSession session{static_cast<RtfCharset>(charset)};
  ConvertRtfDocument(document, session, messages);
  const reference::RtfConversion expected =
      reference::ConvertRtf(source, charset);

  ExpectEqual("RTF text of '" + source + "'", *document.text, expected.text);
  std::string actual_messages;
  for (const auto& [caption, text] : messages.shown) {
    ExpectEqual("RTF message caption", caption, "RTF-Error");
    actual_messages += text + "\n";
  }
  std::string expected_messages;
  for (const std::string& text : expected.messages) {
    expected_messages += text + "\n";
  }
  ExpectEqual("RTF messages for '" + source + "'", actual_messages,
              expected_messages);
  Expect(static_cast<int>(session.charset) == expected.charset,
         "RTF character set at the end");
  return 0;
}
