#pragma once

#include "core/filters/messages.h"

namespace quor {

// Messages as message boxes owned by the active window: the caption is the
// box's title, with an OK button, Yes and No, or Yes, No and Cancel.
class DesktopMessages : public Messages {
 public:
  void Show(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view question, std::string_view caption) override;
  // Cancel is the default button and the answer to Escape.
  Answer AskYesNoCancel(std::string_view question,
                        std::string_view caption) override;
};

}  // namespace quor
