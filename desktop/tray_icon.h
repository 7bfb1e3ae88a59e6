#pragma once

#include <QSystemTrayIcon>

#include "core/app/application.h"

namespace quor {

class MainWindow;

// The icon in the desktop's tray: a left or right press brings the main
// window back with its buttons and, with "Clipboard" on, pastes without
// asking. Without a tray it shows nothing; the main window then never hides.
class TrayIcon {
 public:
  TrayIcon(Application& app, MainWindow& window);

 private:
  void OnActivated(QSystemTrayIcon::ActivationReason reason);

  Application& app_;
  MainWindow& window_;
  QSystemTrayIcon icon_;
};

}  // namespace quor
