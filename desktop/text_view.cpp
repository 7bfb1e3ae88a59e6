#include "desktop/text_view.h"

#include <QAbstractSlider>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QKeyEvent>
#include <QList>
#include <QPaintEvent>
#include <QPainter>
#include <QPointF>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "core/view/cp1252_text.h"
#include "core/view/view_model.h"

namespace quor {
namespace {

// Font sizes beyond this many pixels are taken as this many; the setting
// is a plain number in a text file.
constexpr std::int64_t kMaxPixelSize = 1000;

int ToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(
      value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

constexpr QRgb kPlaceholderColour = qRgb(160, 160, 160);

// The keys that scroll the view, and what each asks for.
struct ScrollKey {
  int key;
  bool control;
  Qt::Orientation orientation;
  int request;
};

constexpr ScrollKey kScrollKeys[] = {
    {Qt::Key_Up, false, Qt::Vertical, kScrollLineBack},
    {Qt::Key_Down, false, Qt::Vertical, kScrollLineForward},
    {Qt::Key_PageUp, false, Qt::Vertical, kScrollPageBack},
    {Qt::Key_PageDown, false, Qt::Vertical, kScrollPageForward},
    {Qt::Key_Left, false, Qt::Horizontal, kScrollLineBack},
    {Qt::Key_Right, false, Qt::Horizontal, kScrollLineForward},
    {Qt::Key_Home, false, Qt::Horizontal, kScrollToStart},
    {Qt::Key_End, false, Qt::Horizontal, kScrollToEnd},
    {Qt::Key_Home, true, Qt::Vertical, kScrollToStart},
    {Qt::Key_End, true, Qt::Vertical, kScrollToEnd},
};

int PixelSize(std::int64_t size) {
  return static_cast<int>(std::clamp<std::int64_t>(size, 1, kMaxPixelSize));
}

void MirrorBar(QScrollBar& bar, const ScrollBarState& state) {
  const QSignalBlocker blocker(bar);
  // The view state counts the range in units with a page covering some of
  // them; a Qt bar counts the positions its thumb can take.
  bar.setRange(
      0, ToInt(std::max<std::int64_t>(0, state.range_max - state.page + 1)));
  bar.setPageStep(ToInt(state.page));
  bar.setSingleStep(1);
  bar.setValue(ToInt(state.position));
}

}  // namespace

TextView::TextView(Application& app, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app) {
  app_.view.has_window = true;
  setFocusPolicy(Qt::StrongFocus);
  // Both bars always take their room, so that a bar coming or going cannot
  // change the size it was computed for.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The painting covers every pixel itself.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAutoFillBackground(false);
  CreateFont();

  for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar()
                                                    : verticalScrollBar();
    connect(bar, &QAbstractSlider::actionTriggered, this,
            [this, orientation](int action) {
              OnScrollAction(orientation, action);
            });
    connect(bar, &QAbstractSlider::sliderReleased, this,
            [this, orientation, bar] {
              Scroll(orientation, kScrollThumbPosition, bar->sliderPosition());
            });
  }
  ShowScrollBars();
}

void TextView::Refresh() {
  RefreshView(app_.document, app_.view, Wrap(), app_.messages);
  ShowScrollBars();
  PaintNow();
}

void TextView::ResetPositions() {
  ResetView(app_.view, Wrap());
  ShowScrollBars();
}

void TextView::PaintNow() { viewport()->repaint(); }

void TextView::RecreateFont() {
  CreateFont();
  MeasureClient();
}

bool TextView::Wrap() const { return app_.settings.wrap_view != 0; }

void TextView::CreateFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setWeight(QFont::Medium);
  const std::int64_t size = app_.settings.font_size;
  if (size < 0) {
    font.setPixelSize(PixelSize(-size));  // the height of the characters
  } else if (size > 0) {
    // The setting is the height of a whole cell; the characters are scaled
    // down until ascent and descent fit into it.
    const int cell = PixelSize(size);
    font.setPixelSize(cell);
    const int height = QFontMetrics(font).height();
    if (height > cell) font.setPixelSize(std::max(1, cell * cell / height));
    while (font.pixelSize() > 1 && QFontMetrics(font).height() > cell) {
      font.setPixelSize(font.pixelSize() - 1);
    }
  }
  const QFontMetrics metrics(font);
  font_ = font;
  glyphs_ = QRawFont::fromFont(font);
  line_height_ = size > 0 ? PixelSize(size) : std::max(1, metrics.height());
  char_width_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
  ascent_ = metrics.ascent();
}

void TextView::MeasureClient() {
  const QSize size = viewport()->size();
  if (size.width() > 0) app_.view.visible_columns = size.width() / char_width_;
  if (size.height() > 0) {
    app_.view.visible_lines = size.height() / line_height_;
  }
}

void TextView::ShowScrollBars() {
  MirrorBar(*horizontalScrollBar(), app_.view.horizontal);
  MirrorBar(*verticalScrollBar(), app_.view.vertical);
}

void TextView::OnScrollAction(Qt::Orientation orientation, int action) {
  int request = 0;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      request = kScrollLineBack;
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      request = kScrollLineForward;
      break;
    case QAbstractSlider::SliderPageStepSub:
      request = kScrollPageBack;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      request = kScrollPageForward;
      break;
    case QAbstractSlider::SliderMove:  // dragging, and the mouse wheel
      request = kScrollThumbTrack;
      break;
    case QAbstractSlider::SliderToMinimum:
      request = kScrollToStart;
      break;
    case QAbstractSlider::SliderToMaximum:
      request = kScrollToEnd;
      break;
    default:
      return;
  }
  const QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar()
                                                        : verticalScrollBar();
  Scroll(orientation, request, bar->sliderPosition());
}

void TextView::Scroll(Qt::Orientation orientation, int request,
                      int thumb_position) {
  if (Move(orientation, request, thumb_position)) PaintNow();
}

bool TextView::Move(Qt::Orientation orientation, int request,
                    int thumb_position) {
  ViewState& view = app_.view;
  const bool horizontal = orientation == Qt::Horizontal;
  const bool moved = horizontal ? ScrollColumns(view, request, thumb_position)
                                : ScrollLines(view, request, thumb_position);
  // Also when the request was ignored: the bar may have moved on its own.
  MirrorBar(horizontal ? *horizontalScrollBar() : *verticalScrollBar(),
            horizontal ? view.horizontal : view.vertical);
  return moved;
}

// Each byte goes to its own cell: a font's advances may be fractions of a
// pixel, and Qt gives some characters no width. Placeholders go in a dimmer
// colour.
void TextView::DrawRow(QPainter& painter, std::string_view bytes,
                       int baseline) const {
  QString row(static_cast<qsizetype>(bytes.size()), QChar());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    row[static_cast<qsizetype>(i)] =
        QChar(ScreenCellOf(static_cast<unsigned char>(bytes[i])).character);
  }
  const QList<quint32> indexes = glyphs_.glyphIndexesForString(row);
  std::array<QList<quint32>, 2> found;
  std::array<QList<QPointF>, 2> positions;
  for (qsizetype i = 0; i < row.size() && i < indexes.size(); ++i) {
    const QPointF cell(static_cast<qreal>(i) * char_width_, baseline);
    const bool dim = ScreenCellOf(static_cast<unsigned char>(
                                      bytes[static_cast<std::size_t>(i)]))
                         .placeholder;
    if (indexes[i] != 0) {
      found.at(dim ? 1 : 0).push_back(indexes[i]);
      positions.at(dim ? 1 : 0).push_back(cell);
    } else {
      // A character the font lacks comes from another font, or not at all.
      painter.setPen(dim ? QColor(kPlaceholderColour) : QColor(Qt::black));
      painter.drawText(cell, QString(row[i]));
    }
  }
  for (const std::size_t kind : {0U, 1U}) {
    QGlyphRun run;
    run.setRawFont(glyphs_);
    run.setGlyphIndexes(found.at(kind));
    run.setPositions(positions.at(kind));
    painter.setPen(kind == 1 ? QColor(kPlaceholderColour) : QColor(Qt::black));
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
}

void TextView::keyPressEvent(QKeyEvent* event) {
  const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
  for (const ScrollKey& key : kScrollKeys) {
    if (key.key != event->key() || key.control != control) continue;
    bool moved = Move(key.orientation, key.request, 0);
    // Ctrl+Home is the top left of the document.
    if (key.control && key.request == kScrollToStart) {
      moved = Move(Qt::Horizontal, kScrollToStart, 0) || moved;
    }
    if (moved) PaintNow();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void TextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  MeasureClient();
  ViewState& view = app_.view;
  if (Wrap()) {
    Refresh();
    return;
  }
  // A document laid out before the view existed has no ranges yet.
  if (!has_size_ && view.visible_columns > 0 && view.visible_lines > 0) {
    UpdateScrollBars(view);
    has_size_ = true;
  } else {
    FitToSize(view);
  }
  ShowScrollBars();
  PaintNow();
}

void TextView::scrollContentsBy(int, int) {}

void TextView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const int width = viewport()->width();
  const int height = viewport()->height();
  const ViewState& view = app_.view;
  if (!app_.document.text || !view.line_index) {
    painter.fillRect(0, 0, width, height, Qt::white);
    return;
  }
  painter.setFont(font_);
  painter.setPen(Qt::black);

  const std::string_view text = *app_.document.text;
  const std::vector<std::int64_t>& index = *view.line_index;
  const auto size = static_cast<std::int64_t>(text.size());
  const auto lines = static_cast<std::int64_t>(index.size());
  int rows = 0;
  // One row more than fits whole: the partly visible one at the bottom.
  for (int i = 0; i <= view.visible_lines; ++i) {
    const std::int64_t line = view.first_line + i;
    if (line >= lines) break;
    // A line ends at its break, which only ever stands at its end, at the
    // next line's start, or at the right edge of the view.
    const std::int64_t start = std::min(index[line], size);
    std::int64_t end =
        std::min(size, start + view.first_column + view.visible_columns);
    if (line + 1 < lines) end = std::max(start, std::min(end, index[line + 1]));
    const std::int64_t from = start + view.first_column;
    const int y = i * line_height_;
    // Cleared whole: a glyph the font lacks comes from another font and need
    // not fit its cell.
    painter.fillRect(0, y, width, line_height_, Qt::white);
    if (from < end) {
      std::string_view shown = text.substr(from, end - from);
      shown = shown.substr(0, shown.find_first_of("\r\n"));
      DrawRow(painter, shown, y + ascent_);
    }
    ++rows;
  }
  const int below = rows * line_height_;
  if (below < height) {
    painter.fillRect(0, below, width, height - below, Qt::white);
  }
}

}  // namespace quor
