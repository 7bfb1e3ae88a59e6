#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/filters/messages.h"

namespace quor {

// One message as it was shown.
struct CollectedMessage {
  std::string caption;
  std::string text;
};

// Messages kept, in order, for one file of a run over several, so that they
// can be written out in the order of the files whenever the file was done.
// Nobody is there to answer a question, so the answer is No.
class CollectedMessages : public Messages {
 public:
  void Show(std::string_view text, std::string_view caption) override {
    shown_.push_back({std::string(caption), std::string(text)});
    error_reported_ = error_reported_ || caption == kCaptionError;
  }
  bool AskYesNo(std::string_view question, std::string_view caption) override {
    Show(question, caption);
    return false;
  }

  const std::vector<CollectedMessage>& shown() const { return shown_; }
  bool ErrorReported() const { return error_reported_; }

 private:
  std::vector<CollectedMessage> shown_;
  bool error_reported_ = false;
};

}  // namespace quor
