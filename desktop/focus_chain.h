#pragma once

#include <span>

class QWidget;

namespace quor {

// Tab and Shift+Tab walk `order` from first to last and round again.
void ChainFocus(std::span<QWidget* const> order);

}  // namespace quor
