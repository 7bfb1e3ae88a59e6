#include "desktop/file_dialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

namespace quor {
namespace {

// Display texts and patterns in the program's order. Patterns match without
// regard to case; "alle Dateien" is "*" because "*.*" would miss files
// without an extension here.
QStringList FileTypes() {
  return {
      QStringLiteral("Textdateien (*.TXT)"),
      QStringLiteral("HTML-Quellen (*.HTM *.HTML)"),
      QStringLiteral("RTF-Dateien (*.RTF)"),
      QStringLiteral("alle Dateien (*)"),
  };
}

std::optional<std::string> RunDialog(QWidget* owner,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  if (mode == QFileDialog::AcceptSave) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  }
  dialog.setNameFilters(FileTypes());
  dialog.setDefaultSuffix(QStringLiteral("TXT"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFile::encodeName(files.first()).toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* owner) {
  return RunDialog(owner, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* owner) {
  return RunDialog(owner, QFileDialog::AcceptSave);
}

}  // namespace quor
