#pragma once

#include "core/filters/messages.h"

namespace quor::bench {

// Benchmarks have nobody to show messages to.
class SilentMessages : public Messages {
 public:
  void Show(std::string_view, std::string_view) override {}
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
};

}  // namespace quor::bench
