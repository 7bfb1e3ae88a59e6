#include "desktop/filter_column.h"

#include <QApplication>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>

#include "desktop/column_geometry.h"

namespace quor {
namespace {

// Free room between the buttons and a scroll bar.
constexpr int kBarGap = 4;

// Follows the viewport's width and gives its buttons what is left of it.
class ColumnContent : public QWidget {
 public:
  using QWidget::QWidget;

  void FitButtons() {
    const int room = std::max(1, width() - kColumnX - kBarGap);
    for (QPushButton* button :
         findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
      button->resize(std::min(kFilterButtonWidth, room), button->height());
    }
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    FitButtons();
  }
};

}  // namespace

FilterColumn::FilterColumn(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("filter_column"));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The buttons take the focus, not the area; the window's frame colour
  // shows through.
  setFocusPolicy(Qt::NoFocus);
  viewport()->setAutoFillBackground(false);
  setWidget(new ColumnContent);
  widget()->setAutoFillBackground(false);  // setWidget turns it on
  setWidgetResizable(true);
  // A button that takes the focus comes into sight, however it got there
  // (Tab from the view, Shift+Tab, a click).
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) {
            if (now != nullptr && widget()->isAncestorOf(now)) {
              ensureWidgetVisible(now, 0, 0);
            }
          });
}

void FilterColumn::SetRows(int rows) {
  widget()->setMinimumHeight(kColumnTop + rows * kColumnStep);
  // New buttons come at full width, also when the size stays the same.
  static_cast<ColumnContent*>(widget())->FitButtons();
}

}  // namespace quor
