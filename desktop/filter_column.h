#pragma once

#include <QScrollArea>

namespace quor {

// The enabled filter buttons from the top of the window down to the fixed
// buttons. When they do not fit, the column scrolls (and its buttons narrow
// for the scroll bar) instead of running under the fixed buttons.
class FilterColumn : public QScrollArea {
  Q_OBJECT

 public:
  explicit FilterColumn(QWidget* parent);

  // The parent of the filter buttons, in whose coordinates they are placed.
  QWidget& content() { return *widget(); }
  // Makes room for this many rows of buttons.
  void SetRows(int rows);
};

}  // namespace quor
