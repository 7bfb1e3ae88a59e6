#pragma once

#include <cstddef>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// Drops the blanks, CR and LF at the start of the text, collapses every run of
// blanks and tabs to one blank (none at all after a line break or another
// control byte, so lines lose their indentation) and cuts every run of line
// break bytes to its first two. Works in place and never fails.
void RemoveSuperfluousBlanks(TextDocument& document, Messages& messages);

// The same over a text that comes in pieces: each piece is cleaned up in
// place, as it would be as part of the whole text.
class BlankSqueezer {
 public:
  // Cleans up the next `size` bytes at `bytes`; returns how many are left.
  std::size_t Squeeze(char* bytes, std::size_t size);

  // What the rules need to know of the one or two bytes before the next one.
  // Past the start of the text they come down to a keep-or-drop decision per
  // byte:
  //   - a blank or tab stays (as a blank) when the byte before it is above
  //     0x20, which makes it the first of its run and follows a byte that is
  //     neither a blank nor a control byte;
  //   - CR or LF stays unless the two bytes before it are CR or LF too;
  //   - every other byte stays as it is.
  struct Before {
    bool above_blank = false;  // the last byte is above 0x20
    bool line_break = false;   // the last byte is CR or LF
    bool line_break2 = false;  // the byte before it is CR or LF
  };

 private:
  // How far the start of the text is behind.
  enum class Start { kBlanksAndBreaks, kBlanksAndTabs, kPassed };

  Start start_ = Start::kBlanksAndBreaks;
  Before before_;
};

}  // namespace quor
