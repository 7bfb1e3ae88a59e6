#include "core/view/view_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "alloc_failure.h"
#include "test_support.h"

namespace quor {

namespace {

ViewState AttachedView(int columns, int lines) {
  ViewState view;
  view.has_window = true;
  view.visible_columns = columns;
  view.visible_lines = lines;
  return view;
}

struct RefreshCase {
  std::string text;
  bool wrap;
  std::int64_t line_count;
  std::int64_t display_lines;
  std::int64_t widest;
  std::vector<std::int64_t> index;
};

TEST(ViewRefresh, LaysOutTheDocument) {
  const RefreshCase cases[] = {
      {"", false, 0, 0, 0, {0}},
      {"a\r\nb", false, 1, 2, 1, {0, 3}},
      // The wrap width is the visible columns, 10 here: nothing is wider.
      {"abcdefghijklmnop qrstu", true, 2, 3, 10, {0, 10, 17}},
  };
  for (const RefreshCase& c : cases) {
    SCOPED_TRACE(c.text);
    testing::RecordingMessages messages;
    ViewState view = AttachedView(10, 5);
    RefreshView(TextDocument{c.text}, view, c.wrap, messages);
    EXPECT_EQ(view.line_count, c.line_count);
    EXPECT_EQ(view.display_lines, c.display_lines);
    EXPECT_EQ(view.widest_line, c.widest);
    EXPECT_EQ(view.line_index, c.index);
    EXPECT_EQ(view.horizontal, (ScrollBarState{c.widest - 1, 10, 0}));
    EXPECT_EQ(view.vertical, (ScrollBarState{c.display_lines - 1, 5, 0}));
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(ViewRefresh, ShorterLinesBringTheFirstColumnBack) {
  testing::RecordingMessages messages;
  ViewState view = AttachedView(20, 5);
  RefreshView(TextDocument{std::string(100, 'x')}, view, false, messages);
  ASSERT_TRUE(ScrollColumns(view, kScrollToEnd, 0));
  EXPECT_EQ(view.first_column, 80);

  RefreshView(TextDocument{std::string(110, 'x')}, view, false, messages);
  EXPECT_EQ(view.first_column, 80);  // short of the end: left alone
  EXPECT_EQ(view.horizontal, (ScrollBarState{109, 20, 80}));

  RefreshView(TextDocument{std::string(30, 'x')}, view, false, messages);
  EXPECT_EQ(view.first_column, 10);
  EXPECT_EQ(view.horizontal, (ScrollBarState{29, 20, 10}));
}

TEST(ViewRefresh, WithoutWindowOrDocument) {
  testing::RecordingMessages messages;
  ViewState batch;
  batch.first_column = batch.first_line = 7;
  RefreshView(TextDocument{std::string("abc")}, batch, false, messages);
  EXPECT_EQ(batch.line_count, 1);
  EXPECT_EQ(batch.first_column, 7);
  EXPECT_EQ(batch.first_line, 7);
  EXPECT_EQ(batch.horizontal, ScrollBarState{});

  ViewState view = AttachedView(2, 2);
  RefreshView(TextDocument{std::string("abc\ndef")}, view, false, messages);
  const ScrollBarState bars = view.vertical;
  RefreshView(TextDocument{}, view, false, messages);
  EXPECT_EQ(view.line_count, 0);
  EXPECT_EQ(view.widest_line, 0);
  EXPECT_EQ(view.line_index, (std::vector<std::int64_t>{0, 4}));
  EXPECT_EQ(view.vertical, bars);
}

TEST(ViewRefresh, OutOfMemoryKeepsTheCountsAndNoIndex) {
  testing::RecordingMessages messages;
  ViewState view = AttachedView(10, 5);
  RefreshView(TextDocument{std::string("a\nb")}, view, false, messages);
  const ScrollBarState bars = view.vertical;
  std::string lines;
  for (int i = 0; i < 4000; ++i) lines += "line\r\n";
  const TextDocument document{lines};
  {
    const auto failure =
        testing::AllocationFailure::FromSize(4000 * sizeof(std::int64_t));
    RefreshView(document, view, false, messages);
  }
  EXPECT_EQ(messages.shown, (std::vector<std::pair<std::string, std::string>>{
                                {"Fehler!", "Nicht genug Speicher frei."}}));
  EXPECT_FALSE(view.line_index.has_value());
  EXPECT_EQ(view.line_count, 4000);
  EXPECT_EQ(view.widest_line, 4);
  EXPECT_EQ(view.vertical, bars);
}

TEST(ViewReset, HorizontalBarKeepsItsPlaceWhileWrapping) {
  for (const bool wrap : {false, true}) {
    ViewState view;
    view.first_column = view.horizontal.position = 4;
    view.first_line = view.vertical.position = 9;
    ResetView(view, wrap);
    EXPECT_EQ(view.first_column, 0);
    EXPECT_EQ(view.first_line, 0);
    EXPECT_EQ(view.horizontal.position, wrap ? 4 : 0);
    EXPECT_EQ(view.vertical.position, 0);
  }
}

TEST(ViewSize, LimitsPositionsAndKeepsRanges) {
  ViewState view;
  view.widest_line = view.display_lines = 100;
  view.horizontal = {99, 20, 10};
  view.vertical = {99, 20, 70};
  view.first_column = 10;
  view.first_line = 70;
  view.visible_columns = view.visible_lines = 50;
  FitToSize(view);
  EXPECT_EQ(view.first_column, 10);
  EXPECT_EQ(view.first_line, 50);
  EXPECT_EQ(view.horizontal, (ScrollBarState{99, 50, 10}));
  EXPECT_EQ(view.vertical, (ScrollBarState{99, 50, 50}));
}

struct ScrollCase {
  std::int64_t extent;
  int visible;
  std::int64_t first;
  int request;
  std::int64_t thumb;
  bool handled;
  std::int64_t expected_first;
};

TEST(ViewScroll, RequestsOnBothAxes) {
  const ScrollCase cases[] = {
      {100, 10, 5, kScrollLineBack, 0, true, 4},
      {100, 10, 90, kScrollLineForward, 0, true, 90},
      {100, 10, 3, kScrollPageBack, 0, true, 0},
      {100, 10, 85, kScrollPageForward, 0, true, 90},
      {100000, 10, 0, kScrollThumbPosition, 70000, true, 70000},
      {100, 10, 50, kScrollThumbTrack, -5, true, 0},
      {100, 10, 50, kScrollThumbTrack, 500, true, 90},
      {100, 10, 50, kScrollToStart, 0, true, 0},
      {100, 10, 50, kScrollToEnd, 0, true, 90},
      {100, 10, 40, 8, 0, true, 40},
      {5, 10, 0, kScrollLineForward, 0, false, 0},  // all fits: ignored
      {10, 10, 0, kScrollToEnd, 0, true, 0},
      {0, 0, 0, kScrollLineForward, 0, true, 0},
  };
  for (const ScrollCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "request " << c.request << " from "
                                      << c.first << " of " << c.extent);
    ViewState view;
    view.widest_line = view.display_lines = c.extent;
    view.visible_columns = view.visible_lines = c.visible;
    view.first_column = view.first_line = c.first;
    view.horizontal.position = view.vertical.position = -1;
    EXPECT_EQ(ScrollColumns(view, c.request, c.thumb), c.handled);
    EXPECT_EQ(ScrollLines(view, c.request, c.thumb), c.handled);
    EXPECT_EQ(view.first_column, c.expected_first);
    EXPECT_EQ(view.first_line, c.expected_first);
    const std::int64_t bar = c.handled ? c.expected_first : -1;
    EXPECT_EQ(view.horizontal.position, bar);
    EXPECT_EQ(view.vertical.position, bar);
  }
}

}  // namespace
}  // namespace quor
