#include "desktop/busy_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

namespace quor {
namespace {

// 82 x 36 dialog units.
constexpr int kBoxWidth = 123;
constexpr int kBoxHeight = 59;
// How long to wait for the window system to let the box be painted.
constexpr int kExposeWaitMs = 200;

}  // namespace

BusyWindow::BusyWindow(QWidget& main_window) : main_window_(main_window) {}

BusyWindow::~BusyWindow() = default;

void BusyWindow::Show() {
  if (box_) return;
  // A tool window of the main window: it has no task-bar entry of its own.
  auto box = std::make_unique<QFrame>(&main_window_,
                                      Qt::Tool | Qt::FramelessWindowHint);
  box->setObjectName(QStringLiteral("busy_window"));
  box->setFrameStyle(QFrame::Box | QFrame::Plain);
  box->setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(box.get());
  auto* label = new QLabel(QStringLiteral("Ich arbeite!"), box.get());
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  // Centred by the main window's outer corner and client size, so it sits a
  // little up and left of the client area's centre.
  const QPoint corner = main_window_.frameGeometry().topLeft();
  box->setGeometry(corner.x() + (main_window_.width() - kBoxWidth) / 2,
                   corner.y() + (main_window_.height() - kBoxHeight) / 2,
                   kBoxWidth, kBoxHeight);
  box->show();
  // Let the window system map the box and deliver its paint, but no input:
  // no other command may start before the filter.
  const QDeadlineTimer deadline(kExposeWaitMs);
  while (box->windowHandle() != nullptr && !box->windowHandle()->isExposed() &&
         !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
  }
  box->repaint();
  box_ = std::move(box);
}

void BusyWindow::Close() { box_.reset(); }

}  // namespace quor
