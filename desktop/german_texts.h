#pragma once

class QCoreApplication;
class QFileDialog;
class QMessageBox;

namespace quor {

// The program speaks German whatever the user's locale, Qt's own texts
// included. Loads Qt's German translation from the system's translations
// folder; false when it is not installed. The boxes and file dialogs set
// their main texts themselves, so they read German even then.
bool InstallGermanTranslation(QCoreApplication& application);

// Ja, Nein, OK and Abbrechen on whichever of them the box has.
void GermanButtonTexts(QMessageBox& box);

// The labels and buttons of a file dialog; its accept button reads Öffnen or
// Speichern after its mode, which must be set first.
void GermanDialogTexts(QFileDialog& dialog);

}  // namespace quor
