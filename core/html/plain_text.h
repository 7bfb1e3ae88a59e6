#pragma once

#include <string>
#include <string_view>

namespace quor {

// Puts a page's text together the way a browser lays it out: runs of HTML
// white space collapse to one blank (none at the start or end of a line)
// unless preformatted, blocks ask for line ends that collapse with each
// other, cells are separated by tabs. Text comes in as UTF-8 and goes out
// with CR LF line ends, as Windows-1252 bytes (a character that code page
// lacks becomes "&#N;") or as UTF-8.
class PlainText {
 public:
  enum class Out { kCp1252, kUtf8 };

  explicit PlainText(Out out) : utf8_out_(out == Out::kUtf8) {}

  // Appends the UTF-8 text of a text node.
  void AddText(std::string_view utf8, bool preformatted);
  // At least `count` line ends before the next text, none at the very start.
  void RequireLineEnds(int count);
  // A line end that stays even where no text follows (<br>).
  void AddLineBreak();
  // The end of a table cell: a tab before more text in the same line.
  void EndCell();
  // The text, its last line ended.
  std::string Finish();

 private:
  void BeforeVisible();
  void AddRequiredLineEnds();
  void AddLineEnd();
  void AddWhiteSpace(char32_t c, bool preformatted);

  bool utf8_out_;
  std::string out_;
  int line_ends_at_end_ = 0;  // CR LF pairs that end out_
  int required_line_ends_ = 0;
  int pending_tabs_ = 0;
  bool pending_blank_ = false;
};

}  // namespace quor
