#include "core/app/console_messages.h"

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

}  // namespace quor
