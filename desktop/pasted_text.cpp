#include "desktop/pasted_text.h"

#include <QString>
#include <new>
#include <utility>

#include "core/files/document_encoding.h"
#include "core/view/cp1252_text.h"
#include "desktop/clipboard.h"

namespace quor {

std::string ReplacedCharactersNote(std::size_t count) {
  return std::to_string(count) +
         (count == 1 ? " Zeichen ohne Entsprechung in Windows-1252 wurde"
                     : " Zeichen ohne Entsprechung in Windows-1252 wurden") +
         " durch ? ersetzt.";
}

bool MayOverwriteText(Application& app) {
  return !app.document.HasText() ||
         app.messages.AskYesNo(kOverwriteQuestion, kTextInMemory);
}

bool PasteText(Application& app, const QString& text) {
  // The new text is complete before the old one goes, so that a lack of
  // memory loses nothing. The old text is kept for undo, or nothing is
  // pasted: it could not be had back otherwise.
  std::size_t replaced = 0;
  std::string bytes;
  std::string note;
  bool prepared = false;
  try {
    bytes = Utf16ToCp1252(text.toStdU16String(), &replaced);
    if (replaced > 0) note = ReplacedCharactersNote(replaced);
    prepared = app.history.TryRecord(app.document);
  } catch (const std::bad_alloc&) {
  }
  if (!prepared) {
    app.messages.Show(kCannotReserveMemory, kCaptionError);
    return false;
  }
  app.document.text = std::move(bytes);
  app.document.encoding =
      EncodingOfNewText(ParseCharacterSet(app.settings.character_set));
  if (!note.empty()) app.messages.Show(note, kCaptionNote);
  return true;
}

}  // namespace quor
