#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/filters/messages.h"

namespace quor::fuzz {

// The largest result compared with a plain transcription. Those measure the
// text again at every hit, so their time grows with the square of the text;
// larger results come only from replace lists that multiply the text.
inline constexpr std::size_t kLargestCompared = std::size_t{1} << 16;

// Keeps every message; questions are answered Yes.
class RecordingMessages : public Messages {
 public:
  void Show(std::string_view text, std::string_view caption) override {
    shown.emplace_back(std::string(caption), std::string(text));
  }
  bool AskYesNo(std::string_view, std::string_view) override { return true; }

  std::vector<std::pair<std::string, std::string>> shown;  // caption, text
};

// Stops the run on a broken expectation, printing both sides with the bytes
// outside printable ASCII escaped; libFuzzer then keeps the input.
[[noreturn]] void Fail(std::string_view what, std::string_view actual,
                       std::string_view expected);

inline void ExpectEqual(std::string_view what, std::string_view actual,
                        std::string_view expected) {
  if (actual != expected) Fail(what, actual, expected);
}

inline void Expect(bool condition, std::string_view what) {
  if (!condition) Fail(what, "false", "true");
}

// Bytes as a document can hold them: cut at the first zero byte.
std::string UpToZero(std::string_view bytes);

// A fresh folder for the files a target writes, removed when the process
// ends.
const std::string& ScratchFolder();

}  // namespace quor::fuzz
