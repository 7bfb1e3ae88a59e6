#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// What one scroll bar shows. Its range always starts at 0; with an extent of
// 0 the maximum is -1.
struct ScrollBarState {
  std::int64_t range_max = 0;
  std::int64_t page = 0;
  std::int64_t position = 0;

  bool operator==(const ScrollBarState&) const = default;
};

// The view's state apart from anything the toolkit holds. The widget mirrors
// the two scroll bars and paints from the line index.
struct ViewState {
  bool has_window = false;  // false in a batch run
  // Whole character cells that fit; 0 until the view has had its first size.
  int visible_columns = 0;
  int visible_lines = 0;
  // Line starts after the first one, at least 1 for a non-empty text.
  std::int64_t line_count = 0;
  // Display lines the text fills, the empty one after a final break
  // included; 0 for an empty text. The vertical scroll bar spans these, so
  // the last line can always be scrolled into a whole row.
  std::int64_t display_lines = 0;
  std::int64_t widest_line = 0;
  std::int64_t first_column = 0;
  std::int64_t first_line = 0;
  // Byte offset of each display line's first character; empty when no memory
  // could be had for it. Valid for the text of the last refresh only.
  std::optional<std::vector<std::int64_t>> line_index;
  ScrollBarState horizontal;
  ScrollBarState vertical;
};

// Codes of the scroll requests. Any other code (the end of a scroll) moves
// nothing but still settles the position.
enum ScrollRequest : int {
  kScrollLineBack = 0,
  kScrollLineForward = 1,
  kScrollPageBack = 2,
  kScrollPageForward = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollToStart = 6,
  kScrollToEnd = 7,
};

// Back to the top left before a new document is shown. With wrapping on, the
// horizontal bar keeps its position until the next refresh or scroll.
void ResetView(ViewState& view, bool wrap);

// Lays the document out after a change: line count, widest line, line index,
// and with a window attached the scroll bars. With wrapping on, the wrap
// width is the visible columns. Without a document only the counts are
// cleared. When the index cannot be allocated, reports it and keeps the
// counts, no index and the scroll bars as they were.
void RefreshView(const TextDocument& document, ViewState& view, bool wrap,
                 Messages& messages);

// Fits both scroll bars to new extents, bringing the first visible column
// and line back into range when the text has become shorter.
void UpdateScrollBars(ViewState& view);

// After a size change without wrapping: new pages, positions brought back
// into range; the ranges stay.
void FitToSize(ViewState& view);

// Carry out a scroll request; `thumb_position` counts for the thumb codes
// only. Requests are ignored while more fits than the text holds; both
// return false then, and true when the view needs painting.
bool ScrollColumns(ViewState& view, int request, std::int64_t thumb_position);
bool ScrollLines(ViewState& view, int request, std::int64_t thumb_position);

}  // namespace quor
