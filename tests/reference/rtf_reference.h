#pragma once

// A plain transcription of the RTF reader and writer: one token at a time,
// the held-back character, a table walk per control word, handler tables and
// one byte per call. The fast code must give the same text, the same
// messages in the same order and the same character set at the end.

#include <string>
#include <vector>

namespace quor::reference {

struct RtfConversion {
  std::string text;
  std::vector<std::string> messages;
  int charset = 0;  // 0 ansi, 1 mac, 2 pc, 3 pca
};

// Converts `source` (without zero bytes), starting in `charset`.
RtfConversion ConvertRtf(const std::string& source, int charset);

}  // namespace quor::reference
