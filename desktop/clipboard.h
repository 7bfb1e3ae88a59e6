#pragma once

#include <optional>
#include <string_view>

#include "core/app/application.h"
#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

inline constexpr std::string_view kNoTextInMemory = "Kein Text im Speicher.";
inline constexpr std::string_view kClipboardBusy = "Clipboard in Benutzung.";
inline constexpr std::string_view kNoTextOnClipboard =
    "Keine Textdaten im Clipboard.";
inline constexpr std::string_view kCannotReserveMemory =
    "Kann nicht genug Speicher reservieren.";
inline constexpr std::string_view kOverwriteQuestion = "Text überschreiben?";
inline constexpr std::string_view kTextInMemory =
    "Es ist ein Text im Speicher!";

// The platform plugin for a process that outlives the program on the user's
// desktop; nullptr without a window system. X11 comes first: Wayland may
// refuse the clipboard to a client without a focused window, while Wayland
// desktops share their clipboard with X11 programs.
const char* WindowSystemPlatform();

// Puts the document on the clipboard of the running application as text, its
// Windows-1252 bytes turned into Unicode. The document is not changed.
// Returns whether the text is on the clipboard.
bool CopyToClipboard(const TextDocument& document, Messages& messages);

// Replaces the document by the clipboard's text as PasteText does. With
// `ask`, an existing document is only replaced after the user agreed. Returns
// whether the document was replaced; the caller then resets and refreshes the
// view. On any failure the old document stays.
bool PasteFromClipboard(Application& app, bool ask);

// For a batch run, which ends right after: leaves the document's text (absent
// without a document) on the window system's clipboard after the program has
// ended. A detached process keeps serving the text until another program
// takes the clipboard over. Call it only while the process has no Qt
// application.
void CopyToClipboardAfterExit(std::optional<std::string_view> text,
                              Messages& messages);

}  // namespace quor
