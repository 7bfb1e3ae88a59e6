#pragma once

#include <string>

#include "core/filters/text_document.h"

namespace quor {

// The main window's title: the program's name and version, and the
// document's encoding when its file is not plain Windows-1252 bytes.
std::string WindowTitle(const TextDocument& document);

}  // namespace quor
