#pragma once

#include <string>

namespace quor {

// The part of --help about the conventional command line: the synopsis and
// every option, each filter with its button's label beside it.
std::string UnixUsageText();

}  // namespace quor
