#pragma once

#include <string>

class QWidget;

namespace quor {

// Applies the placement saved in section "Quor-Filter2" of the settings file
// at `settings_path` to `window`, before it is first shown: its normal
// geometry (within the window's own minimum size) and whether it is
// maximised. A window saved minimised comes back shown normally. A missing or
// unreadable file, or one too large to hold, gives the rectangle
// (100, 100)-(500, 400), shown normally.
void RestorePlacement(QWidget& window, const std::string& settings_path);

// Writes the placement of `window` to section "Quor-Filter2" of the settings
// file at `settings_path`, keeping everything else in the file. A failed
// write is ignored.
void SavePlacement(const QWidget& window, const std::string& settings_path);

}  // namespace quor
