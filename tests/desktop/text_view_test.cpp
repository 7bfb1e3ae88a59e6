#include "desktop/text_view.h"

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QImage>
#include <QScrollBar>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"

namespace quor {
namespace {

constexpr int kLineHeight = 20;  // "Zeichengroesse" of these tests

class TextViewTest : public ::testing::Test {
 protected:
  TextViewTest() : app_(ProgramPaths{}, messages_) {
    app_.settings.font_size = kLineHeight;
  }

  // A shown view whose client area holds `columns` x `lines` whole cells
  // plus `extra_pixels` of a further row at the bottom.
  void MakeView(int columns, int lines, int extra_pixels = 0) {
    view_ = std::make_unique<TextView>(app_, nullptr);
    view_->resize(1000, 400);
    view_->show();
    const int frame_width = view_->width() - view_->viewport()->width();
    const int frame_height = view_->height() - view_->viewport()->height();
    ASSERT_GT(app_.view.visible_columns, 0);
    char_width_ = view_->viewport()->width() / app_.view.visible_columns;
    view_->resize(columns * char_width_ + frame_width,
                  lines * kLineHeight + extra_pixels + frame_height);
    ASSERT_EQ(app_.view.visible_columns, columns);
    ASSERT_EQ(app_.view.visible_lines, lines);
  }

  void Show(const std::string& text) {
    app_.document.text = text;
    view_->Refresh();
  }

  QImage Render() { return view_->viewport()->grab().toImage(); }

  // Per row band: whether anything but white is painted in it, up to the
  // bottom of the client area.
  std::vector<bool> InkedRows() {
    const QImage image = Render();
    std::vector<bool> rows;
    for (int top = 0; top < image.height(); top += kLineHeight) {
      bool inked = false;
      for (int y = top; y < std::min(top + kLineHeight, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          inked = inked || image.pixel(x, y) != qRgb(255, 255, 255);
        }
      }
      rows.push_back(inked);
    }
    return rows;
  }

  // The right end of the ink in row `row`, in pixels; 0 for a white row.
  int InkEnd(int row) {
    const QImage image = Render();
    int end = 0;
    for (int y = row * kLineHeight; y < (row + 1) * kLineHeight; ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != qRgb(255, 255, 255))
          end = std::max(end, x + 1);
      }
    }
    return end;
  }

  // Cells `first` to `first + count - 1` of row `row`.
  QImage Cells(int row, int first, int count) {
    return Render().copy(first * char_width_, row * kLineHeight,
                         count * char_width_, kLineHeight);
  }

  std::vector<bool> Rows(std::initializer_list<bool> rows) { return rows; }

  testing::RecordingMessages messages_;
  Application app_;
  std::unique_ptr<TextView> view_;
  int char_width_ = 0;
};

TEST_F(TextViewTest, EmptyOrMissingDocumentIsWhite) {
  MakeView(10, 4);
  EXPECT_EQ(InkedRows(), std::vector<bool>(4, false));  // nothing loaded yet

  Show("");
  EXPECT_EQ(view_->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(view_->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(InkedRows(), std::vector<bool>(4, false));

  Show("abc");
  app_.view.line_index.reset();  // as after a failed refresh
  EXPECT_EQ(InkedRows(), std::vector<bool>(4, false));
}

TEST_F(TextViewTest, BreaksMakeRows) {
  MakeView(10, 4);
  Show("c");
  const int c_end = InkEnd(0);
  Show("abc");
  EXPECT_EQ(InkedRows(), Rows({true, false, false, false}));
  EXPECT_EQ(InkEnd(0), 2 * char_width_ + c_end);

  Show("a\r\nb");
  EXPECT_EQ(app_.view.line_count, 1);
  EXPECT_EQ(InkedRows(), Rows({true, true, false, false}));

  // Only CR LF is one break: the blank lines of Unix and Mac files show.
  Show("a\n\nb");
  EXPECT_EQ(InkedRows(), Rows({true, false, true, false}));
  Show("a\r\rb\n\r");
  EXPECT_EQ(InkedRows(), Rows({true, false, true, false}));
  Show("a\r\n\r\nb");
  EXPECT_EQ(InkedRows(), Rows({true, false, true, false}));
}

TEST_F(TextViewTest, RowsStopAtTheRightEdgeAndScrollSideways) {
  MakeView(10, 2);
  Show(std::string(7, 'X'));
  const QImage seven = Cells(0, 0, 10);
  Show(std::string(30, 'X') + "\n" + std::string(12, 'X'));
  EXPECT_EQ(view_->horizontalScrollBar()->maximum(), 20);
  EXPECT_EQ(view_->horizontalScrollBar()->pageStep(), 10);
  EXPECT_GT(InkEnd(1), 9 * char_width_);

  view_->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderMove);
  view_->horizontalScrollBar()->setSliderPosition(5);
  EXPECT_EQ(app_.view.first_column, 5);
  EXPECT_TRUE(Cells(1, 0, 10) == seven);  // columns 5 to 11 of the short line
}

TEST_F(TextViewTest, PartlyVisibleBottomRowAndScrolledToTheEnd) {
  MakeView(10, 3, kLineHeight / 2);
  Show("X\nX\nX\nX\nX\nXXXXXXXX");
  EXPECT_EQ(app_.view.display_lines, 6);
  EXPECT_EQ(view_->verticalScrollBar()->maximum(), 3);
  EXPECT_EQ(InkedRows(), Rows({true, true, true, true}));  // the half row too

  view_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(app_.view.first_line, 3);
  EXPECT_EQ(view_->verticalScrollBar()->value(), 3);
  // The last line takes the last whole row; nothing is left below it.
  EXPECT_EQ(InkedRows(), Rows({true, true, true, false}));
  EXPECT_GT(InkEnd(2), 4 * char_width_);
  EXPECT_LE(InkEnd(1), 2 * char_width_);

  Show("X\nX\nX\nX\nX\n");  // the empty line after a final break
  EXPECT_EQ(app_.view.first_line, 3);
  EXPECT_EQ(InkedRows(), Rows({true, true, false, false}));
}

TEST_F(TextViewTest, ScrollRequestsThroughTheBar) {
  MakeView(10, 3);
  std::string text;
  for (int i = 0; i < 20; ++i) text += "line\n";
  Show(text);  // 21 display lines
  QScrollBar& bar = *view_->verticalScrollBar();
  EXPECT_EQ(bar.maximum(), 18);

  const auto expect_first = [&](QAbstractSlider::SliderAction action,
                                std::int64_t first) {
    bar.triggerAction(action);
    EXPECT_EQ(app_.view.first_line, first) << action;
    EXPECT_EQ(bar.value(), first) << action;
  };
  expect_first(QAbstractSlider::SliderSingleStepAdd, 1);
  expect_first(QAbstractSlider::SliderPageStepAdd, 4);
  expect_first(QAbstractSlider::SliderSingleStepSub, 3);
  expect_first(QAbstractSlider::SliderPageStepSub, 0);
  expect_first(QAbstractSlider::SliderToMaximum, 18);
  expect_first(QAbstractSlider::SliderToMinimum, 0);

  bar.setSliderDown(true);
  bar.setSliderPosition(11);  // dragging the thumb
  EXPECT_EQ(app_.view.first_line, 11);
  bar.setSliderDown(false);  // let go
  EXPECT_EQ(app_.view.first_line, 11);
  EXPECT_EQ(bar.value(), 11);
  bar.setValue(2);  // set from outside: the view keeps its own position
  EXPECT_EQ(app_.view.first_line, 11);
}

TEST_F(TextViewTest, WrapsAtTheVisibleColumns) {
  app_.settings.wrap_view = 1;
  MakeView(10, 3);
  // Every character shows without scrolling sideways: the long word is cut,
  // the next one moves on whole.
  Show("abcdefghijklmnop qrstu");
  EXPECT_EQ(view_->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(InkedRows(), Rows({true, true, true}));
  EXPECT_LE(InkEnd(0), view_->viewport()->width());

  // A narrower view lays the text out again at its new width.
  Show("aa bb cc dd ee ff");
  EXPECT_EQ(app_.view.display_lines, 2);
  view_->resize(view_->width() - 5 * char_width_, view_->height());
  EXPECT_EQ(app_.view.visible_columns, 5);
  EXPECT_EQ(app_.view.display_lines, 4);
  EXPECT_EQ(InkedRows(), Rows({true, true, true}));
}

TEST_F(TextViewTest, ShorterLinesBringTheViewBackFromTheRight) {
  MakeView(10, 3);
  Show(std::string(100, 'X'));
  view_->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(app_.view.first_column, 90);

  Show(std::string(14, 'X'));
  EXPECT_EQ(app_.view.first_column, 4);
  EXPECT_EQ(view_->horizontalScrollBar()->value(), 4);
  EXPECT_EQ(view_->horizontalScrollBar()->maximum(), 4);
  EXPECT_GT(InkEnd(0), 9 * char_width_);

  view_->ResetPositions();
  EXPECT_EQ(app_.view.first_column, 0);
  EXPECT_EQ(view_->horizontalScrollBar()->value(), 0);
}

TEST_F(TextViewTest, DocumentLaidOutBeforeTheWindowGetsItsRanges) {
  app_.document.text = "one\ntwo\nthree\nfour\nfive";
  RefreshView(app_.document, app_.view, false, messages_);
  MakeView(4, 2);
  EXPECT_EQ(view_->verticalScrollBar()->maximum(), 3);
  EXPECT_EQ(view_->horizontalScrollBar()->maximum(), 1);
  EXPECT_EQ(InkedRows(), Rows({true, true}));
}

// Whatever the font's own advances, and also for bytes Qt alone would give
// no width.
TEST_F(TextViewTest, EveryByteTakesOneCell) {
  MakeView(10, 1);
  Show("X");
  const QImage x = Cells(0, 0, 10);
  for (const std::string& before :
       {std::string("\t"), std::string(6, ' '), std::string("\x80\x9F\xE4 "),
        std::string("\xAD\0\x7F\x81\x8D\x8F\x90\x9D", 8)}) {
    SCOPED_TRACE(before.size());
    Show(before + "X");
    const int first = static_cast<int>(before.size());
    EXPECT_TRUE(Cells(0, first, 10 - first) ==
                x.copy(0, 0, (10 - first) * char_width_, kLineHeight));
  }
  // Windows-1252 characters show: euro sign, Y and a with diaeresis.
  Show("\x80\x9F\xE4");
  EXPECT_GT(InkEnd(0), 2 * char_width_);
  // Bytes without a glyph show one placeholder each, where a blank is white.
  Show(" \xAD\x01\x81");
  EXPECT_TRUE(Cells(0, 0, 1) == Cells(0, 4, 1));
  EXPECT_FALSE(Cells(0, 0, 1) == Cells(0, 1, 1));
  EXPECT_TRUE(Cells(0, 1, 1) == Cells(0, 2, 1));
  EXPECT_TRUE(Cells(0, 1, 1) == Cells(0, 3, 1));
}

TEST_F(TextViewTest, AnyFontSizeGivesAWorkingView) {
  for (const int size : {0, -12, 1, 100000, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(size);
    app_.settings.font_size = size;
    TextView view(app_, nullptr);
    view.resize(400, 300);
    view.show();
    app_.document.text = "XXXX\nXXXX";
    view.Refresh();
    EXPECT_GE(app_.view.visible_columns, 0);
    EXPECT_FALSE(view.viewport()->grab().isNull());
  }
  app_.settings.font_size = -12;
  TextView view(app_, nullptr);
  view.resize(400, 300);
  view.show();
  EXPECT_GT(app_.view.visible_columns, 0);
  EXPECT_GT(app_.view.visible_lines, 0);

  app_.settings.font_size = 40;  // a bigger font leaves fewer rows
  const int lines = app_.view.visible_lines;
  view.RecreateFont();
  EXPECT_EQ(app_.view.visible_lines, view.viewport()->height() / 40);
  EXPECT_LT(app_.view.visible_lines, lines);
}

}  // namespace
}  // namespace quor
