#pragma once

#include <cstddef>
#include <string>

namespace quor::bench {

// Deterministic German-like text of `size` bytes: sentences of words with
// capitals, umlauts and ß, punctuation, numbers, CR LF line ends every 60 to
// 80 characters and an empty line between paragraphs.
std::string GermanText(std::size_t size);

}  // namespace quor::bench
