#pragma once

#include <cstddef>
#include <string>

namespace quor::bench {

// Deterministic German-like text of `size` bytes: sentences of words with
// capitals, umlauts and ß, punctuation, numbers, CR LF line ends every 60 to
// 80 characters and an empty line between paragraphs.
std::string GermanText(std::size_t size);

// GermanText of `megabytes` MB, made once per size and kept for the run, so
// that benchmarks at several sizes don't generate their text again.
const std::string& CachedGermanText(std::size_t megabytes);

// GermanText of `size` bytes dressed as a web page: paragraphs, line breaks,
// entities, bold words, comments, style and script blocks. Cut to exactly
// `size` bytes, so the end may be an unclosed tag.
std::string HtmlText(std::size_t size);

// GermanText of `size` bytes dressed as a word processor's document: font and
// colour tables, stylesheet, paragraphs, escaped umlauts, groups, fields,
// footnotes and table rows. Exactly `size` bytes, closed.
std::string RtfText(std::size_t size);

}  // namespace quor::bench
