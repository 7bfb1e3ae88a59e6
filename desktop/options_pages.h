#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/app/application.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quor {

// One control of a settings page. Positions are dialog units, converted to
// pixels as the page is built.
struct OptionsControl {
  enum class Kind {
    kBox,           // check box for a flag
    kNumber,        // edit field for a number, shown unsigned
    kSeparator,     // edit field for "Trennzeichen"
    kText,          // static text
    kRightText,     // right-aligned static text
    kCharacterSet,  // choice of "Zeichensatz"
  };
  Kind kind;
  // Object name "box<id>", "edit<id>", "choice<id>" or "text<id>"; 0: none.
  int id;
  const char* label;
  int x, y, width, height;
  std::int32_t Settings::*setting = nullptr;
  // For a box that may be on only while this word list file exists.
  std::string ProgramPaths::*needs_file = nullptr;
};

// One page of the options sheet that edits settings. Its controls exist from
// the start, but they show the settings only from the page's first showing
// on, and only a page shown at least once takes over its edit fields.
class SettingsPage : public QWidget {
 public:
  // The three pages, in the sheet's order.
  static SettingsPage* General(Application& app);
  static SettingsPage* Filter1(Application& app);
  static SettingsPage* Filter2(Application& app);

  // Fills the controls from the settings on the page's first showing; later
  // calls change nothing, so edits typed earlier survive a page switch.
  void Show();
  // Writes the edit fields into the settings, as the page is being left or the
  // sheet confirmed. Boxes need nothing here: they write at once.
  void TakeOverEdits();

 private:
  SettingsPage(std::span<const OptionsControl> controls, Application& app);

  void BoxClicked(const OptionsControl& control, QCheckBox& box);

  Application& app_;
  std::vector<std::pair<const OptionsControl*, QCheckBox*>> boxes_;
  std::vector<std::pair<const OptionsControl*, QLineEdit*>> edits_;
  QComboBox* character_set_ = nullptr;
  bool shown_ = false;
};

// A page of static text only: a centred title over a paragraph.
QWidget* InformationPage(const QString& title, const QString& text);

}  // namespace quor
