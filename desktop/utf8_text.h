#pragma once

#include <QString>
#include <string_view>

namespace quor {

// The program's UTF-8 texts (labels, messages) as Qt strings.
inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quor
