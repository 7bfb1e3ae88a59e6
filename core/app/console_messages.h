#pragma once

#include <cstdio>
#include <string_view>

#include "core/filters/messages.h"

namespace quor {

// Messages of a batch run: one line per message on standard error, as
// "quorfilter: <caption> <text>". It never waits for anyone, and it remembers
// whether an error was reported so the run can end with a failing status.
class ConsoleMessages : public Messages {
 public:
  explicit ConsoleMessages(std::FILE* out = stderr) : out_(out) {}

  void Show(std::string_view text, std::string_view caption) override;

  // Nobody is there to answer, so the careful answer is No.
  bool AskYesNo(std::string_view question, std::string_view caption) override;

  bool ErrorReported() const { return error_reported_; }

 private:
  std::FILE* out_;
  bool error_reported_ = false;
};

// Shown when standard output could not take what was written to it.
inline constexpr std::string_view kCannotWriteOutput =
    "Kann die Ausgabe nicht schreiben.";

// The end of every run, as the coreutils end theirs: standard output is
// written out and closed, standard error flushed. False when anything
// written to either was lost (a full disk, a pipe nobody reads any more); a
// stream that was closed from the start is fine while nothing is written to
// it. A lost standard output is reported on standard error.
bool FinishStandardStreams();

}  // namespace quor
