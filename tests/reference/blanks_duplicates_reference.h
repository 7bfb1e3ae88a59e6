#pragma once

#include <string>

namespace quor::reference {

// The three clean-up filters walked exactly as their rules read, in the text's
// own buffer with a read and a write position, comparing every word or line
// with all earlier ones: slow on purpose, to check the fast filters against.

std::string RemoveSuperfluousBlanks(const std::string& text);
std::string RemoveDuplicateWords(const std::string& text);
std::string RemoveDuplicateLines(const std::string& text);

}  // namespace quor::reference
