#pragma once

// Plain transcriptions of the noun and word-wrap filters, step by step as the
// filters are defined: the fast code must give the same bytes.

#include <cstdint>
#include <string>

namespace quor::reference {

// `separator` counts up to its first zero byte.
std::string KeepNouns(const std::string& text, const std::string& separator);

std::string WrapWords(const std::string& text, std::int32_t width);

}  // namespace quor::reference
