#include "desktop/tray_icon.h"

#include <QIcon>
#include <QTimer>

#include "core/app/version.h"
#include "desktop/main_window.h"

namespace quor {

TrayIcon::TrayIcon(Application& app, MainWindow& window)
    : app_(app), window_(window) {
  icon_.setIcon(QIcon(QStringLiteral(":/quorfilter.png")));
  icon_.setToolTip(QString::fromUtf8(kNameAndVersion));
  QObject::connect(&icon_, &QSystemTrayIcon::activated, &window_,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     OnActivated(reason);
                   });
  icon_.show();
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason != QSystemTrayIcon::Trigger &&
      reason != QSystemTrayIcon::Context) {
    return;
  }
  // Shown as it was left: a window hidden while minimised comes back
  // minimised.
  window_.show();
  window_.ShowButtons();
  if (app_.settings.clipboard != 0) {
    QTimer::singleShot(0, &window_,
                       [this] { window_.Execute(kCommandPasteWithoutAsking); });
  }
}

}  // namespace quor
