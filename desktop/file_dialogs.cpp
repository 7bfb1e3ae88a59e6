#include "desktop/file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "desktop/german_texts.h"

namespace quor {
namespace {

// Display texts and patterns in the program's order. Linux file names keep
// their case, so each pattern comes in both; "alle Dateien" is "*" because
// "*.*" would miss files without an extension.
QStringList FileTypes() {
  return {
      QStringLiteral("Textdateien (*.txt *.TXT *.Txt)"),
      QStringLiteral("HTML-Quellen (*.htm *.html *.HTM *.HTML)"),
      QStringLiteral("RTF-Dateien (*.rtf *.RTF *.Rtf)"),
      QStringLiteral("alle Dateien (*)"),
  };
}

std::optional<std::string> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return QFile::encodeName(files.first()).toStdString();
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* owner, bool save,
                                            const std::string& document_path) {
  auto dialog = std::make_unique<QFileDialog>(owner);
  // The desktop's own dialog would speak the user's locale and match the
  // patterns by case.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setWindowTitle(save ? QStringLiteral("Speichern")
                              : QStringLiteral("Laden"));
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave
                             : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (save) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setNameFilters(FileTypes());
  GermanDialogTexts(*dialog);

  const QString document = QFile::decodeName(document_path.c_str());
  const QFileInfo info(document);
  if (document.isEmpty() || !info.dir().exists()) {
    dialog->setDirectory(QDir::home());
  } else {
    dialog->setDirectory(info.dir());
    if (save) dialog->selectFile(info.fileName());
  }
  return dialog;
}

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* owner) {
  return Run(*MakeFileDialog(owner, /*save=*/false, document_path_));
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* owner) {
  return Run(*MakeFileDialog(owner, /*save=*/true, document_path_));
}

}  // namespace quor
