#include "core/view/view_model.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "core/view/text_layout.h"

namespace quor {
namespace {

// The first visible position of one axis, brought back into range when it
// no longer reaches the end of the text; the bar follows it then.
void LimitFirst(std::int64_t extent, int visible, std::int64_t& first,
                ScrollBarState& bar) {
  bar.page = visible;
  if (first + visible < extent) return;
  first = std::max<std::int64_t>(0, extent - visible);
  bar.position = first;
}

void FitAxis(std::int64_t extent, int visible, std::int64_t& first,
             ScrollBarState& bar) {
  bar.range_max = extent - 1;
  LimitFirst(extent, visible, first, bar);
}

bool ScrollAxis(std::int64_t extent, int visible, int request,
                std::int64_t thumb_position, std::int64_t& first,
                ScrollBarState& bar) {
  if (visible > extent) return false;
  std::int64_t target = first;
  switch (request) {
    case kScrollLineBack:
      target = first - 1;
      break;
    case kScrollLineForward:
      target = first + 1;
      break;
    case kScrollPageBack:
      target = first - visible;
      break;
    case kScrollPageForward:
      target = first + visible;
      break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
      target = thumb_position;
      break;
    case kScrollToStart:
      target = 0;
      break;
    case kScrollToEnd:
      target = extent - visible;
      break;
    default:
      break;
  }
  first = std::clamp<std::int64_t>(target, 0, extent - visible);
  bar.position = first;
  return true;
}

}  // namespace

void ResetView(ViewState& view, bool wrap) {
  view.first_column = 0;
  view.first_line = 0;
  if (!wrap) view.horizontal.position = 0;
  view.vertical.position = 0;
}

void RefreshView(const TextDocument& document, ViewState& view, bool wrap,
                 Messages& messages) {
  view.line_count = 0;
  view.display_lines = 0;
  view.widest_line = 0;
  if (!document.text) return;
  const std::string_view text = *document.text;
  const std::optional<int> wrap_width =
      wrap ? std::optional<int>(view.visible_columns) : std::nullopt;

  const LayoutCount count = CountLayout(text, wrap_width);
  view.widest_line = count.widest_line;
  if (!text.empty()) {
    view.line_count = std::max<std::int64_t>(count.line_starts, 1);
    view.display_lines = count.line_starts + 1;
  }

  view.line_index.reset();
  try {
    view.line_index.emplace(static_cast<std::size_t>(count.line_starts) + 1);
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return;
  }
  IndexLayout(text, wrap_width, *view.line_index);

  if (view.has_window) UpdateScrollBars(view);
}

void UpdateScrollBars(ViewState& view) {
  FitAxis(view.widest_line, view.visible_columns, view.first_column,
          view.horizontal);
  FitAxis(view.display_lines, view.visible_lines, view.first_line,
          view.vertical);
}

void FitToSize(ViewState& view) {
  LimitFirst(view.widest_line, view.visible_columns, view.first_column,
             view.horizontal);
  LimitFirst(view.display_lines, view.visible_lines, view.first_line,
             view.vertical);
}

bool ScrollColumns(ViewState& view, int request, std::int64_t thumb_position) {
  return ScrollAxis(view.widest_line, view.visible_columns, request,
                    thumb_position, view.first_column, view.horizontal);
}

bool ScrollLines(ViewState& view, int request, std::int64_t thumb_position) {
  return ScrollAxis(view.display_lines, view.visible_lines, request,
                    thumb_position, view.first_line, view.vertical);
}

}  // namespace quor
