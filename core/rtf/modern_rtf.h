#pragma once

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

inline constexpr std::string_view kRtfGroupsUnbalanced =
    "Gruppen nicht ausgeglichen.";
inline constexpr std::string_view kRtfFileIncomplete = "Datei unvollständig.";

// Treats the document as RTF and replaces it by the text a word processor
// shows (see ReadModernRtf). Only real damage is reported, under
// "RTF-Error", each kind once; the text read up to the damage is kept.
void ConvertRtfModern(TextDocument& document, Messages& messages);

}  // namespace quor
