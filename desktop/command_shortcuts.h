#pragma once

#include <functional>

class QWidget;

namespace quor {

// Gives `window` the keyboard shortcuts of its commands; each runs
// `execute` with its command id while the window is active.
void AddCommandShortcuts(QWidget& window,
                         const std::function<void(int)>& execute);

}  // namespace quor
