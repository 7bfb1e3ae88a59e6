#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/application.h"

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
};

// Every filter, in the order in which the command line runs them.
std::span<const FilterEntry> FilterCatalogue();

}  // namespace quor
