#include "desktop/window_placement.h"

#include <QRect>
#include <QWidget>
#include <new>
#include <optional>
#include <string_view>

#include "core/settings/profile_file.h"

namespace quor {
namespace {

constexpr std::string_view kSection = "Quor-Filter2";

// Show states as the file stores them.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;

// The settings file; an empty one when it cannot be read or held.
ProfileFile ReadOrEmpty(const std::string& path) {
  try {
    return ProfileFile::Read(path).value_or(ProfileFile());
  } catch (const std::bad_alloc&) {
    return ProfileFile();
  }
}

void WritePlacement(const QWidget& window, const std::string& settings_path);

}  // namespace

void RestorePlacement(QWidget& window, const std::string& settings_path) {
  const ProfileFile file = ReadOrEmpty(settings_path);
  const int left = file.GetInt(kSection, "Links", 100);
  const int right = file.GetInt(kSection, "Rechts", 500);
  const int top = file.GetInt(kSection, "Oben", 100);
  const int bottom = file.GetInt(kSection, "Unten", 400);
  // Right and bottom are exclusive edges. setGeometry() keeps to the
  // window's minimum size.
  window.setGeometry(left, top, right - left, bottom - top);
  // Only the maximised state is kept; any other, a minimised one above all,
  // shows the window normally, so the program never starts minimised. The
  // saved minimised and maximised positions go unused: the window system
  // places those windows itself.
  const bool maximized = file.GetInt(kSection, "ShowCmd", 5) == kShowMaximized;
  window.setWindowState(maximized ? Qt::WindowMaximized : Qt::WindowNoState);
}

void SavePlacement(const QWidget& window, const std::string& settings_path) {
  try {
    WritePlacement(window, settings_path);
  } catch (const std::bad_alloc&) {
    // Without memory for the file it is left as it was.
  }
}

namespace {

void WritePlacement(const QWidget& window, const std::string& settings_path) {
  // A file that exists but cannot be read is left alone rather than replaced
  // by the placement alone.
  std::optional<ProfileFile> file = ProfileFile::Read(settings_path);
  if (!file) return;
  // A never-shown window may not know its normal geometry yet.
  QRect normal = window.normalGeometry();
  if (normal.isEmpty()) normal = window.geometry();
  // A minimised window, even one minimised from maximised, reopens normally.
  const Qt::WindowStates state = window.windowState();
  const bool maximized = state.testFlag(Qt::WindowMaximized) &&
                         !state.testFlag(Qt::WindowMinimized);
  // Qt has neither placement flags nor separate minimised and maximised
  // positions: the flags are 0 and both positions are the window's own.
  const QPoint position = window.pos();
  file->SetInt(kSection, "Flags", 0);
  file->SetInt(kSection, "ShowCmd", maximized ? kShowMaximized : kShowNormal);
  file->SetInt(kSection, "XMin", position.x());
  file->SetInt(kSection, "YMin", position.y());
  file->SetInt(kSection, "XMax", position.x());
  file->SetInt(kSection, "YMax", position.y());
  file->SetInt(kSection, "Links", normal.left());
  file->SetInt(kSection, "Rechts", normal.left() + normal.width());
  file->SetInt(kSection, "Oben", normal.top());
  file->SetInt(kSection, "unten", normal.top() + normal.height());
  // Nothing to report on failure.
  file->Write(settings_path);
}

}  // namespace

}  // namespace quor
