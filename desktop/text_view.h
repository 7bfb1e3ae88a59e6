#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QRawFont>
#include <Qt>
#include <string_view>

#include "core/app/application.h"

class QPaintEvent;
class QPainter;
class QResizeEvent;
class QScrollBar;

namespace quor {

// The read-only view of the document: a fixed-pitch font, white background,
// and scroll bars that mirror the view state. Layout and scroll arithmetic
// live in the view model; this widget only measures, mirrors and paints.
class TextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TextView(Application& app, QWidget* parent);

  // Lays the document out again, fits the scroll bars and repaints at once.
  void Refresh();
  // Back to the top left before a new document is shown.
  void ResetPositions();
  // Paints the visible rows before returning.
  void PaintNow();
  // Takes the font from "Zeichengroesse" again, then the visible columns and
  // lines from the client size.
  void RecreateFont();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Arrows, Page Up and Down, Home and End (columns), Ctrl+Home and Ctrl+End
  // (lines) scroll as the bars would.
  void keyPressEvent(QKeyEvent* event) override;
  // The painting follows the view state, never the scroll bars' pixels.
  void scrollContentsBy(int dx, int dy) override;

 private:
  bool Wrap() const;
  void CreateFont();
  // Visible columns and lines from the client size, each only when the size
  // in that direction is not zero.
  void MeasureClient();
  void ShowScrollBars();
  void OnScrollAction(Qt::Orientation orientation, int action);
  void Scroll(Qt::Orientation orientation, int request, int thumb_position);
  // Scroll without painting; whether the view moved.
  bool Move(Qt::Orientation orientation, int request, int thumb_position);
  void DrawRow(QPainter& painter, std::string_view bytes, int baseline) const;

  Application& app_;
  QFont font_;
  // The glyphs of font_ itself, placed cell by cell.
  QRawFont glyphs_;
  int char_width_ = 1;
  int line_height_ = 1;
  int ascent_ = 0;
  // The ranges are first set once the view knows how much it shows.
  bool has_size_ = false;
};

}  // namespace quor
