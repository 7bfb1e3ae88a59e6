#pragma once

#include <memory>

class QWidget;

namespace quor {

// The small "Ich arbeite!" box over the main window while a filter runs.
class BusyWindow {
 public:
  explicit BusyWindow(QWidget& main_window);
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;
  ~BusyWindow();

  // Opens the box and has it painted before returning, because the filter
  // that follows keeps the event loop from painting it.
  void Show();
  void Close();
  bool IsShown() const { return box_ != nullptr; }

 private:
  QWidget& main_window_;
  std::unique_ptr<QWidget> box_;
};

}  // namespace quor
