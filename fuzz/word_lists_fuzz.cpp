// The exclude and replace lists: random lists read from a file as the
// program reads them, applied to random text, against the plain versions.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/whole_file.h"
#include "core/files/word_lists.h"
#include "core/filters/exclude_list.h"
#include "core/filters/replace_list.h"
#include "core/filters/text_document.h"
#include "fuzz/fuzz_support.h"
#include "reference/word_list_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  FuzzedDataProvider input(data, size);
  const std::string file_bytes = input.ConsumeRandomLengthString(2000);
  const std::string text = UpToZero(input.ConsumeRemainingBytesAsString());

  const std::string path = ScratchFolder() + "/FILTER.TXT";
  if (!WriteWholeFile(path, file_bytes)) Fail("write " + path, "", "");
  std::int32_t enabled = 1;
  RecordingMessages messages;
  const std::optional<std::string> list =
      LoadWordList(path, CharacterSet::kAnsi, enabled, messages);
  Expect(enabled == 1, "an existing list keeps its setting");
  if (file_bytes.find('\0') != std::string::npos) {
    Expect(!list && messages.shown.size() == 1,
           "a list with a zero byte is reported and not used");
    return 0;
  }
  Expect(list && messages.shown.empty(), "a list without zero bytes loads");
  ExpectEqual("a list loads whole", *list, file_bytes);

  TextDocument excluded{text};
  ApplyExcludeList(excluded, list, messages);
  TextDocument replaced{text};
  ApplyReplaceList(replaced, list, messages);
  Expect(messages.shown.empty(), "the lists show no message");
  ExpectEqual("exclude list '" + *list + "' on '" + text + "'", *excluded.text,
              reference::ApplyExcludeList(text, *list));
  if (replaced.text->size() > kLargestCompared) return 0;
  ExpectEqual("replace list '" + *list + "' on '" + text + "'", *replaced.text,
              reference::ApplyReplaceList(text, *list));
  return 0;
}
