#pragma once

#include <optional>
#include <string>

#include "core/files/program_paths.h"
#include "desktop/file_dialogs.h"
#include "test_support.h"

namespace quor::testing {

// Answers the file dialogs with the paths set here (none: cancelled) and
// counts how often each was asked.
class FakeFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenFile(QWidget*) override {
    ++opened;
    return open_answer;
  }
  std::optional<std::string> SaveFile(QWidget*) override {
    ++saved;
    return save_answer;
  }
  void AnswerBoth(const std::optional<std::string>& path) {
    open_answer = save_answer = path;
  }

  std::optional<std::string> open_answer;
  std::optional<std::string> save_answer;
  int opened = 0;
  int saved = 0;
};

// The settings file and word lists of a program in `dir`.
inline ProgramPaths PathsIn(const TempDir& dir) {
  return {dir.File("quorfilter.INI"), dir.File("FILTER.TXT"),
          dir.File("REPLACE.TXT")};
}

}  // namespace quor::testing
