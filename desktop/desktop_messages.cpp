#include "desktop/desktop_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "desktop/german_texts.h"
#include "desktop/main_window.h"

namespace quor {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowBox(std::string_view text, std::string_view caption) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text),
                  QMessageBox::Ok, MessageOwner());
  GermanButtonTexts(box);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
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
    ShowBox(text, caption);
  }
}

bool DesktopMessages::AskYesNo(std::string_view question,
                               std::string_view caption) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No, MessageOwner());
  GermanButtonTexts(box);
  // Enter and Escape both take the answer that changes nothing.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

Answer DesktopMessages::AskYesNoCancel(std::string_view question,
                                       std::string_view caption) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  MessageOwner());
  GermanButtonTexts(box);
  // Cancel loses nothing, so Return and Escape both mean it.
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
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
  ShowBox(text, caption);
}

}  // namespace quor
