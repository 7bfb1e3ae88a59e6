#pragma once

#include <string>
#include <string_view>

#include "core/filters/text_document.h"

namespace quor {

// The main window's title, as desktops show a document's window: the file's
// name first, then the program's name and version, and the document's
// encoding when its file is not plain Windows-1252 bytes; for example
// "brief.txt* – Quor-Filter 3.2 (UTF-8)". Without a file (`document_path`
// empty) the program's name comes first. A `*` follows the first part while
// the document holds changes not in its file.
std::string WindowTitle(const TextDocument& document,
                        std::string_view document_path, bool modified);

}  // namespace quor
