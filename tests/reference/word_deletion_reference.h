#pragma once

// The word deletion filters as the rules read: one position at a time, and
// every deletion moves the rest of the text.

#include <cstdint>
#include <string>

namespace quor::reference {

std::string RemoveRepeatedCharWords(std::string text, std::int32_t limit);
std::string RemoveShortWords(std::string text, std::int32_t min_length);
std::string RemoveWordsWithDigits(std::string text);

}  // namespace quor::reference
