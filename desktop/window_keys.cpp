#include "desktop/window_keys.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <utility>

#include "desktop/main_window.h"

namespace quor {

void InstallShortcuts(QWidget& window,
                      const std::function<void(int)>& execute) {
  const struct {
    QKeyCombination keys;
    int command_id;
  } kShortcuts[] = {
      {Qt::CTRL | Qt::Key_O, kCommandLoad},
      {Qt::CTRL | Qt::Key_S, kCommandSave},
      {Qt::CTRL | Qt::Key_C, kCommandCopy},
      {Qt::CTRL | Qt::Key_V, kCommandPaste},
      {Qt::CTRL | Qt::Key_Z, kCommandUndo},
      {Qt::CTRL | Qt::Key_Q, kCommandEnd},
  };
  for (const auto& [keys, command_id] : kShortcuts) {
    auto* shortcut = new QShortcut(QKeySequence(keys), &window);
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [execute, id = command_id] { execute(id); });
  }
}

void ChainFocus(std::span<QWidget* const> order) {
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace quor
