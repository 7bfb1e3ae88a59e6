#include "desktop/session_end.h"

#include <QGuiApplication>
#include <QSessionManager>

#include "desktop/main_window.h"

namespace quor {

void AskBeforeSessionEnds(MainWindow& window) {
  // The session ends the program soon after, so asking at quit would be
  // too late.
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager& manager) {
                     if (!manager.allowsInteraction()) return;
                     const bool may_end = window.MayClose();
                     manager.release();
                     if (!may_end) manager.cancel();
                   });
}

}  // namespace quor
