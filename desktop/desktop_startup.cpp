#include "desktop/desktop_startup.h"

#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <optional>

#include "core/files/program_paths.h"
#include "desktop/file_dialogs.h"
#include "desktop/german_texts.h"
#include "desktop/main_window.h"
#include "desktop/session_end.h"
#include "desktop/tray_icon.h"
#include "desktop/window_placement.h"

namespace quor {
namespace {

// Set to a file name, the program saves a picture of its window there once
// it is shown, and ends: for the screenshot in the documentation.
constexpr const char* kScreenshotVariable = "QUOR_SCREENSHOT";
constexpr int kScreenshotDelayMs = 500;

}  // namespace

int RunDesktop(Application& app, int argc, char** argv) {
  std::optional<QApplication> own_application;
  if (QApplication::instance() == nullptr) {
    InstallGermanTranslation(own_application.emplace(argc, argv));
  }
  // The window alone decides when the program ends, also while it sits in
  // the tray with only the options sheet open.
  QApplication::setQuitOnLastWindowClosed(false);

  QtFileDialogs dialogs(app.document_path);
  MainWindow window(app, dialogs);
  AskBeforeSessionEnds(window);
  RestorePlacement(window, app.paths.settings_file);
  window.show();
  window.ShowButtons();
  if (app.settings.clipboard != 0) {
    QTimer::singleShot(
        0, &window, [&window] { window.Execute(kCommandPasteWithoutAsking); });
  }
  const TrayIcon tray(app, window);

  const QByteArray screenshot = qgetenv(kScreenshotVariable);
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, &screenshot] {
      window.grab().save(QString::fromLocal8Bit(screenshot));
      window.close();
    });
  }

  QApplication::exec();
  MakeSettingsFolder(app.paths);
  SavePlacement(window, app.paths.settings_file);
  return 0;
}

}  // namespace quor
