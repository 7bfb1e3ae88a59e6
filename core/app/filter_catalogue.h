#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/app/application.h"
#include "core/filters/byte_map.h"

namespace quor {

// One filter as the user reaches it: its button, its command, its
// command-line option and the setting that offers its button.
struct FilterEntry {
  std::string_view label;  // the button's text
  int command_id;
  std::string_view option;  // found anywhere in the command line
  // Runs the filter with the settings of the moment; false when it refused
  // to run (after saying why), so that no refresh follows.
  bool (*run)(Application& app);
  std::int32_t Settings::*button_flag;
  // For a filter that is nothing but a byte map: its table, so that runs of
  // such filters can be done in one pass. `run` does the same.
  const ByteTable* byte_map = nullptr;
};

// Every filter, in the order in which the command line runs them.
std::span<const FilterEntry> FilterCatalogue();

}  // namespace quor
