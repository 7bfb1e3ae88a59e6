#include "core/app/console_messages.h"

#include <stdio_ext.h>

#include <cerrno>

namespace quor {
namespace {

void WriteLine(std::FILE* out, std::string_view caption, std::string_view text,
               std::string_view suffix) {
  std::fprintf(out, "quorfilter: %.*s %.*s%.*s\n",
               static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data(),
               static_cast<int>(suffix.size()), suffix.data());
  std::fflush(out);
}

}  // namespace

void ConsoleMessages::Show(std::string_view text, std::string_view caption) {
  if (caption == kCaptionError) error_reported_ = true;
  WriteLine(out_, caption, text, "");
}

bool ConsoleMessages::AskYesNo(std::string_view question,
                               std::string_view caption) {
  WriteLine(out_, caption, question, " Nein");
  return false;
}

bool FinishStandardStreams() {
  // Closing a stream that was never open fails with EBADF; that loses
  // nothing unless something waited to be written.
  const bool pending = __fpending(stdout) != 0;
  const bool failed_before = std::ferror(stdout) != 0;
  const bool close_failed = std::fclose(stdout) != 0;
  const bool output_lost =
      failed_before || (close_failed && (pending || errno != EBADF));
  if (output_lost) {
    ConsoleMessages messages;
    messages.Show(kCannotWriteOutput, kCaptionError);
  }
  const bool errors_lost = std::fflush(stderr) != 0 || std::ferror(stderr);
  return !output_lost && !errors_lost;
}

}  // namespace quor
