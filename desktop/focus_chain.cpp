#include "desktop/focus_chain.h"

#include <QWidget>
#include <cstddef>

namespace quor {

void ChainFocus(std::span<QWidget* const> order) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace quor
