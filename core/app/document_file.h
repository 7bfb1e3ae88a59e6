#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/application.h"
#include "core/files/document_encoding.h"
#include "core/files/whole_file.h"

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

// Reports a failed read of a document file; true when the read succeeded.
bool ReportRead(ReadStatus status, Messages& messages);

// Reports a decoded document file that is refused; true when its text may be
// used.
bool ReportDecoding(DecodeStatus status, Messages& messages);

// Whether `argument` begins with the document marker "-d:", in any case.
bool IsDocumentArgument(std::string_view argument);

// The file path that one argument, as the shell gave it, names: the whole
// argument; or, when it begins with "-d:" (any case), the rest of it, quotes
// and all, except that one pair of double quotes around the rest is dropped.
// Absent when the rest opens a double quote that does not close at its end.
std::optional<std::string> PathFromArgument(std::string_view argument);

// Replaces the document by the file that `argument` names (see
// PathFromArgument), read in the character set of the settings. Empties the
// document path first; on success sets it and the document's encoding and
// returns true. A failure is reported and keeps the previous document; an
// argument that names no path is such a failure, and so are anything but a
// regular file, a file holding a zero byte and a file that is not UTF-8 when
// the settings say every file is. An empty argument loads nothing. A Unicode
// text with characters that Windows-1252 lacks is loaded as bytes, and the
// user is told. A loaded document starts a new history. The view is left
// alone.
bool ReadDocument(Application& app, std::string_view argument);

// ReadDocument, and on success resets and refreshes the view.
void LoadDocument(Application& app, std::string_view argument);

// Writes the document's text to `path` in the document's encoding, replacing
// the file only once the new contents are completely written. Reports "Kann
// Datei nicht anlegen." when that fails; the old file is then left as it was.
// Returns whether the file was written.
bool SaveDocument(const TextDocument& document, const std::string& path,
                  Messages& messages);

// Saves the document over the file it was loaded from, found through the
// folder held since the load, never through the path again. When the path
// no longer leads to that file as it was read, reports "Datei wurde seit dem
// Laden verändert." and writes nothing, or, with `ask_when_changed`, asks
// whether to save all the same. Returns whether the file was written.
bool SaveToLoadedFile(Application& app, bool ask_when_changed);

}  // namespace quor
