#pragma once

namespace quor {

// Where the filter buttons sit in their column, in pixels: the main window
// places them, the scrolling column sizes itself to them.
inline constexpr int kColumnX = 10;
inline constexpr int kColumnTop = 10;
inline constexpr int kColumnStep = 28;
inline constexpr int kFilterButtonWidth = 240;

}  // namespace quor
