#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/filters/messages.h"

namespace quor::testing {

// Records every message; questions get the answer set in `answer`.
class RecordingMessages : public Messages {
 public:
  void Show(std::string_view text, std::string_view caption) override {
    shown.emplace_back(std::string(caption), std::string(text));
  }
  bool AskYesNo(std::string_view question, std::string_view caption) override {
    asked.emplace_back(std::string(caption), std::string(question));
    return answer;
  }
  Answer AskYesNoCancel(std::string_view question,
                        std::string_view caption) override {
    asked.emplace_back(std::string(caption), std::string(question));
    return three_way_answer;
  }

  std::vector<std::pair<std::string, std::string>> shown;  // caption, text
  std::vector<std::pair<std::string, std::string>> asked;
  bool answer = true;
  Answer three_way_answer = Answer::kCancel;
};

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const {
    return path_ + "/" + std::string(name);
  }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// How many entries `folder` holds.
std::size_t EntriesIn(const std::string& folder);

// Runs `body` in a child process as the user and group 65534 (only root can
// become them); true when it returned true there.
bool AsOtherUser(const std::function<bool()>& body);

// `bytes` with every byte outside printable ASCII written as \xHH, for
// readable test names and messages.
std::string Escaped(std::string_view bytes);

// Every byte value but zero, for byte-exactness checks.
std::string AllNonZeroBytes();

// The character the C library's table for the code page `name` (an iconv
// name) gives each byte; 0 where the page leaves the byte unassigned.
std::array<char32_t, 256> LibraryCodePage(const char* name);

}  // namespace quor::testing
