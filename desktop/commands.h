#pragma once

#include "core/app/application.h"
#include "desktop/busy_window.h"
#include "desktop/file_dialogs.h"

class QWidget;

namespace quor {

class TextView;

// The main window's commands that change or move the document: the filters,
// undo and redo, and loading and saving through the file dialogs.
class Commands {
 public:
  Commands(Application& app, QWidget& owner, TextView& view, BusyWindow& busy,
           FileDialogs& dialogs);

  // Runs the filter with this command id under the filter-run protocol:
  // undo step, busy box, filter, refresh. Unknown ids do nothing.
  void RunFilter(int command_id);
  // "Rückgängig machen" steps back through the history, redo forward.
  void Undo();
  void Redo();
  // "Laden" and "Speichern", each with its question and file dialog. Save
  // returns whether the document was written.
  void Load();
  bool Save();
  // Loads a file dropped on the window, with the question "Laden" asks.
  void LoadDropped(const std::string& path);

 private:
  // Asks about unsaved changes, or else whether to overwrite the text;
  // false when the document must stay.
  bool MayReplaceDocument();
  void LoadFile(const std::string& path);
  // False when there is no document: the filter command then does nothing.
  bool BeginFilterRun();

  Application& app_;
  QWidget& owner_;
  TextView& view_;
  BusyWindow& busy_;
  FileDialogs& dialogs_;
};

// The argument that makes LoadDocument read `path` exactly as given.
std::string LoadArgumentFor(const std::string& path);

}  // namespace quor
