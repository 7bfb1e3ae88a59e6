#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include <QWidget>

#include "core/app/application.h"
#include "desktop/busy_window.h"
#include "desktop/clipboard_keeper.h"
#include "desktop/commands.h"
#include "desktop/document_drop.h"
#include "desktop/file_dialogs.h"

class QPushButton;

namespace quor {

class FilterColumn;
class TextView;

// Command ids of the main window beside those of the filters, which the
// filter catalogue holds.
enum CommandId : int {
  kCommandEnd = 1,
  kCommandHide = 2,
  kCommandLoad = 1000,
  kCommandSave = 1001,
  kCommandCopy = 1002,
  kCommandPaste = 1003,
  kCommandPasteWithoutAsking = 1004,
  kCommandUndo = 1005,
  kCommandOptions = 1006,
  kCommandRedo = 1007,
};

// The program's window: a light-grey frame, a column of buttons on the left
// (the enabled filters from the top, eight fixed buttons from the bottom) and
// the text view filling the rest. Each button is named "command_<id>".
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  MainWindow(Application& app, FileDialogs& dialogs);
  ~MainWindow() override;

  // Carries out a command as if its button had been pressed; 1004 pastes
  // without asking, 1007 redoes. Other ids do nothing.
  void Execute(int command_id);

  // Asks about unsaved changes before the window goes; whether it may. A
  // yes holds for the next close unless a command runs first.
  bool MayClose();

  // Recreates the buttons from the settings, all hidden; ShowButtons shows
  // them.
  void RebuildButtonColumn();
  void ShowButtons();

  // Whether the window may hide (a tray icon can bring it back); without a
  // tray it stays minimised in the task bar instead.
  void SetTrayAvailable(std::function<bool()> tray_available);

  // Every button, the filters in column order and then the fixed ones.
  const std::vector<QPushButton*>& buttons() const { return buttons_; }
  TextView& view() { return *view_; }
  bool busy() const { return busy_.IsShown(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void RunCommand(int command_id);
  // The title names the document's file and encoding and marks unsaved
  // changes, which every command may change; undo is enabled when there is
  // a step to undo.
  void ShowTitle();
  // After a paste, the view starts again at the top; else it repaints.
  void ShowPaste(bool pasted);
  void TakeDrop(const DroppedDocument& dropped);
  QPushButton* AddButton(const QString& label, int command_id, QWidget* parent);
  // Tab order: the buttons as they stand from the top, then the view.
  std::vector<QWidget*> FocusOrder() const;
  void PlaceFixedButtons();
  // "Traybar", and minimising when a tray exists.
  void HideToTray();

  Application& app_;
  TextView* view_;
  FilterColumn* column_;
  BusyWindow busy_;
  Commands commands_;
  std::vector<QPushButton*> buttons_;
  std::size_t first_fixed_ = 0;
  QPushButton* undo_button_ = nullptr;  // one of buttons_
  std::function<bool()> tray_available_;
  ClipboardKeeper keeper_;
  // Set once unsaved changes are settled for closing.
  bool close_agreed_ = false;
};

}  // namespace quor
