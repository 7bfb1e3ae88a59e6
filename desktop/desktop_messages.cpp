#include "desktop/desktop_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "desktop/german_texts.h"
#include "desktop/main_window.h"
#include "desktop/utf8_text.h"

namespace quor {
namespace {

// Shows a box with `buttons` owned by the window; Return and Escape both
// answer `safe`, the answer that changes nothing. Returns the answer.
int RunBox(std::string_view text, std::string_view caption,
           QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton safe) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text),
                  buttons, MessageOwner());
  GermanButtonTexts(box);
  box.setDefaultButton(safe);
  box.setEscapeButton(safe);
  return box.exec();
}

}  // namespace

QWidget* MessageOwner() {
  if (QWidget* active = QApplication::activeWindow()) {
    // Not the busy box, which goes as soon as the filter is done.
    if (active->windowType() == Qt::Tool && active->parentWidget() != nullptr) {
      return active->parentWidget()->window();
    }
    return active;
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<MainWindow*>(widget)) return window;
  }
  return nullptr;
}

void DesktopMessages::Show(std::string_view text, std::string_view caption) {
  if (group_depth_ > 0) {
    held_.Add(text, caption);
  } else {
    RunBox(text, caption, QMessageBox::Ok, QMessageBox::Ok);
  }
}

bool DesktopMessages::AskYesNo(std::string_view question,
                               std::string_view caption) {
  return RunBox(question, caption, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::No) == QMessageBox::Yes;
}

Answer DesktopMessages::AskYesNoCancel(std::string_view question,
                                       std::string_view caption) {
  // Cancel loses nothing.
  switch (RunBox(question, caption,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                 QMessageBox::Cancel)) {
    case QMessageBox::Yes:
      return Answer::kYes;
    case QMessageBox::No:
      return Answer::kNo;
    default:
      return Answer::kCancel;
  }
}

void DesktopMessages::BeginGroup() { ++group_depth_; }

void DesktopMessages::EndGroup() {
  if (group_depth_ == 0 || --group_depth_ > 0 || held_.empty()) return;
  const std::string caption = held_.Caption();
  const std::string text = held_.Text();
  held_.Clear();
  RunBox(text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace quor
