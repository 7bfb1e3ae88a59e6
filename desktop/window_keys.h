#pragma once

#include <functional>
#include <span>

class QWidget;

namespace quor {

// The main window's keyboard shortcuts: Ctrl+O "Laden", Ctrl+S "Speichern",
// Ctrl+C "Kopieren", Ctrl+V "Einfügen", Ctrl+Z "Rückgängig machen" and
// Ctrl+Q "Ende". Each runs `execute` with the button's command id.
void InstallShortcuts(QWidget& window, const std::function<void(int)>& execute);

// Tab and Shift+Tab walk `order` from first to last and round again.
void ChainFocus(std::span<QWidget* const> order);

}  // namespace quor
