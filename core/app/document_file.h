#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/application.h"

namespace quor {

inline constexpr std::string_view kCannotOpenFile = "Kann Datei nicht öffnen.";
inline constexpr std::string_view kCannotCreateFile =
    "Kann Datei nicht anlegen.";
inline constexpr std::string_view kFileHoldsZeroBytes =
    "Datei enthält Nullbytes.";
inline constexpr std::string_view kFileChanged =
    "Datei wurde seit dem Laden verändert.";
inline constexpr std::string_view kSaveAnyway =
    "Datei wurde seit dem Laden verändert. Trotzdem speichern?";
inline constexpr std::string_view kFileNotUtf8 =
    "Datei ist kein gültiges UTF-8.";
inline constexpr std::string_view kTextOutsideCp1252 =
    "Text enthält Zeichen außerhalb von Windows-1252 und wird als Bytes "
    "bearbeitet.";

// Paths longer than this are refused rather than cut into another path.
inline constexpr std::size_t kMaxWorkingPath = 1000;

// The file path that `argument` names: the whole argument, or, when it holds
// "-d:" (any case), the text between the character right after it (the
// opening quote) and the next double quote. Absent when that form has no
// closing quote.
std::optional<std::string> PathFromArgument(std::string_view argument);

// The part of the command line that holds options: all of it but the
// document path, which runs from "-d:" (any case) through the double quote
// that closes it, or to the end when none does. The two sides are joined by a
// blank, so that they cannot make an option together. A command line without
// "-d:" is nothing but a path and holds no options.
std::string OptionsPart(std::string_view command_line);

// Replaces the document by the file that `argument` names (see
// PathFromArgument), read in the character set of the settings. Empties the
// document path first; on success sets it and the document's encoding and
// returns true. A failure is reported and keeps the previous document; a file
// holding a zero byte is such a failure, and so is a file that is not UTF-8
// when the settings say every file is. A Unicode text with characters that
// Windows-1252 lacks is loaded as bytes, and the user is told. The view is
// left alone.
bool ReadDocument(Application& app, std::string_view argument);

// ReadDocument, and on success resets and refreshes the view.
void LoadDocument(Application& app, std::string_view argument);

// Writes the document's text to `path` in the document's encoding, replacing
// the file only once the new contents are completely written. Reports "Kann
// Datei nicht anlegen." when that fails; the old file is then left as it was.
void SaveDocument(const TextDocument& document, const std::string& path,
                  Messages& messages);

// Saves the document over the file it was loaded from, found through the
// folder held since the load, never through the path again. When the path
// no longer leads to that file as it was read, reports "Datei wurde seit dem
// Laden verändert." and writes nothing, or, with `ask_when_changed`, asks
// whether to save all the same. Returns whether the file was written.
bool SaveToLoadedFile(Application& app, bool ask_when_changed);

}  // namespace quor
