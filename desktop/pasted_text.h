#pragma once

#include <cstddef>
#include <string>

#include "core/app/application.h"

class QString;

namespace quor {

// The note after a paste that turned `count` characters into '?'.
std::string ReplacedCharactersNote(std::size_t count);

// With a document there, asks "Text überschreiben?"; whether a new text
// (pasted, dropped or loaded) may take its place.
bool MayOverwriteText(Application& app);

// Replaces the document by `text` in Windows-1252, as a step that can be
// undone, in the encoding the settings give new text. The document path
// stays. A character Windows-1252 lacks becomes '?', and a note says how
// many did. Without memory the old document stays and false comes back.
bool PasteText(Application& app, const QString& text);

}  // namespace quor
