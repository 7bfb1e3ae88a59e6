#pragma once

#include <new>
#include <stdexcept>
#include <string_view>

namespace quor {

// Captions and texts that several parts of the program show.
inline constexpr std::string_view kCaptionError = "Fehler!";
inline constexpr std::string_view kCaptionWarning = "Warnung!";
inline constexpr std::string_view kCaptionNote = "Hinweis!";
inline constexpr std::string_view kNoMemory = "Nicht genug Speicher frei.";

// The answers to a question that may also be called off.
enum class Answer : unsigned char { kYes, kNo, kCancel };

// The one way the program talks to its user. The console writes a line per
// message and never waits; the desktop opens a message box.
class Messages {
 public:
  virtual ~Messages() = default;

  // Shows `text` under `caption` with an OK button.
  virtual void Show(std::string_view text, std::string_view caption) = 0;

  // Asks `question` under `caption`; true for Yes, false for No.
  virtual bool AskYesNo(std::string_view question,
                        std::string_view caption) = 0;

  // Asks `question` under `caption` with Yes, No and Cancel. Where nobody
  // can answer, the answer is Cancel, which loses nothing.
  virtual Answer AskYesNoCancel(std::string_view /*question*/,
                                std::string_view /*caption*/) {
    return Answer::kCancel;
  }

  // Messages shown between these two calls may be held back and reported
  // together at the end (a window shows one box instead of dozens). Groups
  // nest; only the outermost end reports. By default each message is shown
  // as it comes.
  virtual void BeginGroup() {}
  virtual void EndGroup() {}
};

// Groups the messages of one piece of work for the length of a scope.
class MessageGroup {
 public:
  explicit MessageGroup(Messages& messages) : messages_(messages) {
    messages_.BeginGroup();
  }
  MessageGroup(const MessageGroup&) = delete;
  MessageGroup& operator=(const MessageGroup&) = delete;
  ~MessageGroup() { messages_.EndGroup(); }

 private:
  Messages& messages_;
};

// Runs `work`. When it runs out of memory (no block to be had, or a size
// beyond what a string or vector can hold), shows "Nicht genug Speicher frei."
// and returns false; what `work` did up to there stays done.
template <typename Work>
bool ReportingLackOfMemory(Messages& messages, Work&& work) {
  try {
    work();
    return true;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  messages.Show(kNoMemory, kCaptionError);
  return false;
}

}  // namespace quor
