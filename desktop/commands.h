#pragma once

#include "core/app/application.h"
#include "desktop/busy_window.h"
#include "desktop/file_dialogs.h"

class QWidget;

namespace quor {

class TextView;

// The main window's commands that change or move the document: the filters,
// one level of undo, and loading and saving through the file dialogs.
class Commands {
 public:
  Commands(Application& app, QWidget& owner, TextView& view, BusyWindow& busy,
           FileDialogs& dialogs);

  // Runs the filter with this command id under the filter-run protocol:
  // undo copy, busy box, filter, refresh. Unknown ids do nothing.
  void RunFilter(int command_id);
  // "Rückgängig machen": the text from before the last filter comes back.
  void Undo();
  // "Laden" and "Speichern", each with its question and file dialog.
  void Load();
  void Save();

 private:
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
