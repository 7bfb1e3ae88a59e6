#pragma once

class QWidget;

namespace quor {

// The options pages are placed in dialog units of an 11-pixel sans font:
// 1 unit is 1.5 pixels across and 1.625 pixels down. A font that needs more
// room stretches the units, so that nothing is clipped.
struct UnitScale {
  double across = 1.0;
  double down = 1.0;
};

int UnitsAcross(int units, UnitScale scale = {});
int UnitsDown(int units, UnitScale scale = {});

// `scale`, stretched as far as `widget` needs to show its whole size hint in
// a place of `width` x `height` units.
UnitScale StretchedFor(UnitScale scale, const QWidget& widget, int width,
                       int height);

}  // namespace quor
