#pragma once

#include "core/app/message_summary.h"
#include "core/filters/messages.h"

class QWidget;

namespace quor {

// Messages as message boxes owned by the program's window: the caption is
// the box's title, with an OK button, Ja and Nein, or Ja, Nein and
// Abbrechen. Inside a group the boxes wait and come as one at its end.
class DesktopMessages : public Messages {
 public:
  void Show(std::string_view text, std::string_view caption) override;
  bool AskYesNo(std::string_view question, std::string_view caption) override;
  // Abbrechen is the default button and the answer to Escape.
  Answer AskYesNoCancel(std::string_view question,
                        std::string_view caption) override;
  void BeginGroup() override;
  void EndGroup() override;

 private:
  int group_depth_ = 0;
  MessageSummary held_;
};

// The window a box belongs to: the active one, else the main window, so
// that no box gets a task-bar entry of its own.
QWidget* MessageOwner();

}  // namespace quor
