#include "desktop/dialog_units.h"

#include <QSize>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quor {
namespace {

constexpr double kPixelsAcross = 1.5;
constexpr double kPixelsDown = 1.625;

}  // namespace

int UnitsAcross(int units, UnitScale scale) {
  return static_cast<int>(std::lround(units * kPixelsAcross * scale.across));
}

int UnitsDown(int units, UnitScale scale) {
  return static_cast<int>(std::lround(units * kPixelsDown * scale.down));
}

UnitScale StretchedFor(UnitScale scale, const QWidget& widget, int width,
                       int height) {
  const QSize needed = widget.sizeHint();
  if (width > 0) {
    scale.across =
        std::max(scale.across, needed.width() / (width * kPixelsAcross));
  }
  if (height > 0) {
    scale.down = std::max(scale.down, needed.height() / (height * kPixelsDown));
  }
  return scale;
}

}  // namespace quor
