#include "core/app/unsaved_changes.h"

#include <string>

#include "core/app/window_title.h"

namespace quor {

bool SettleUnsavedChanges(Application& app, const std::function<bool()>& save) {
  if (!app.history.Modified(app.document)) return true;
  const std::string caption =
      WindowTitle(app.document, app.document_path, /*modified=*/true);
  switch (app.messages.AskYesNoCancel(kSaveChangesQuestion, caption)) {
    case Answer::kYes:
      return save();
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

}  // namespace quor
