#pragma once

// Plain transcriptions of the two list filters: every word start tries every
// entry of the exclude list, and every pair of the replace list takes its own
// replace pass. The fast filters must give the same texts.

#include <string>

namespace quor::reference {

std::string ApplyExcludeList(const std::string& text, const std::string& list);

std::string ApplyReplaceList(const std::string& text, const std::string& list);

}  // namespace quor::reference
