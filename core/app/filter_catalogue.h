#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/app/application.h"
#include "core/filters/byte_map.h"

namespace quor {

// One filter as the user reaches it: its button, its command, its
// command-line option and the setting that offers its button. Its flag's key
// stays in the settings file's key table and its box on the options pages;
// the catalogue's tests check that both are there.
struct FilterEntry {
  std::string_view label;  // the button's text
  int command_id;
  std::string_view option;  // found anywhere in the command line
  int column;               // the button's place in the column, 0 at the top
  // Runs the filter with the settings of the moment; false when it refused
  // to run (after saying why), so that no refresh follows.
  bool (*run)(Application& app);
  std::int32_t Settings::*button_flag;
  // For a filter that is nothing but a byte map: its table, so that runs of
  // such filters can be done in one pass. `run` does the same.
  const ByteTable* byte_map = nullptr;
  // Whether the result is code-page bytes, to be saved as such whatever
  // encoding the document's file had. `run` sets the encoding itself.
  bool gives_code_page_bytes = false;
  // For the filter that collapses blanks, which can also run on a text that
  // comes in pieces (BlankSqueezer), so that it streams like a byte map.
  bool squeezes_blanks = false;
};

// Every filter, in the order in which the command line runs them.
std::span<const FilterEntry> FilterCatalogue();

// The readers of today's files that the conventional command line offers
// whatever the setting "Moderne Leser" says. They are outside the button
// column: `option` is their long option's name, `command_id` is 0, `column`
// -1 and `button_flag` null.
std::span<const FilterEntry> ModernReaders();

}  // namespace quor
