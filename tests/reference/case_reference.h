#pragma once

// The case filters as their two steps: the C-locale mapping of A-Z and a-z,
// then the three umlauts one after the other through the replace loop.

#include <string>

namespace quor::reference {

std::string ToUpperCase(std::string text);
std::string ToLowerCase(std::string text);

}  // namespace quor::reference
