#include "desktop/german_texts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace quor {

bool InstallGermanTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale(QLocale::German, QLocale::Germany),
                        QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

void GermanButtonTexts(QMessageBox& box) {
  const struct {
    QMessageBox::StandardButton button;
    const char* text;
  } kTexts[] = {
      {QMessageBox::Yes, "&Ja"},
      {QMessageBox::No, "&Nein"},
      {QMessageBox::Ok, "OK"},
      {QMessageBox::Cancel, "Abbrechen"},
  };
  for (const auto& [button, text] : kTexts) {
    if (QAbstractButton* found = box.button(button)) {
      found->setText(QString::fromUtf8(text));
    }
  }
}

void GermanDialogTexts(QFileDialog& dialog) {
  const bool open = dialog.acceptMode() == QFileDialog::AcceptOpen;
  dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
  dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
  dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
  dialog.setLabelText(QFileDialog::Accept, open ? QStringLiteral("Öffnen")
                                                : QStringLiteral("Speichern"));
  dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
}

}  // namespace quor
