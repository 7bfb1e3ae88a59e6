#include "desktop/command_shortcuts.h"

#include <QKeySequence>
#include <QShortcut>
#include <array>

#include "desktop/main_window.h"

namespace quor {
namespace {

struct CommandShortcut {
  QKeyCombination keys;
  int command_id;
};

// Redo has two keys, as the desktops differ on it.
const std::array<CommandShortcut, 8> kCommandShortcuts = {{
    {Qt::CTRL | Qt::Key_O, kCommandLoad},
    {Qt::CTRL | Qt::Key_S, kCommandSave},
    {Qt::CTRL | Qt::Key_C, kCommandCopy},
    {Qt::CTRL | Qt::Key_V, kCommandPaste},
    {Qt::CTRL | Qt::Key_Z, kCommandUndo},
    {Qt::CTRL | Qt::Key_Q, kCommandEnd},
    {Qt::CTRL | Qt::Key_Y, kCommandRedo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, kCommandRedo},
}};

}  // namespace

void AddCommandShortcuts(QWidget& window,
                         const std::function<void(int)>& execute) {
  for (const CommandShortcut& entry : kCommandShortcuts) {
    auto* shortcut = new QShortcut(QKeySequence(entry.keys), &window);
    shortcut->setContext(Qt::WindowShortcut);
    const int command_id = entry.command_id;
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [execute, command_id] { execute(command_id); });
  }
}

}  // namespace quor
