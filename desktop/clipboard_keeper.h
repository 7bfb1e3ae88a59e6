#pragma once

#include <memory>
#include <string>
#include <string_view>

class QProcess;

namespace quor {

// Leaves the window's copies on the clipboard after the program ends, with
// or without a clipboard manager: each copy is handed to the program itself
// started as a keeper (kClipboardKeeperVariable), which owns the
// clipboard from then on. The window then no longer owns it, so it ends at
// once instead of waiting for a clipboard manager to take the text.
class ClipboardKeeper {
 public:
  // `program_file` is the program to start; empty, nothing is handed over.
  explicit ClipboardKeeper(std::string program_file);
  ClipboardKeeper(const ClipboardKeeper&) = delete;
  ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;
  // Lets a hand-over under way finish, for a short while at most.
  ~ClipboardKeeper();

  // Hands the Windows-1252 `bytes` to a new keeper, without waiting for it;
  // the one before ends when the new one takes the clipboard. Without a
  // window system, or when the keeper fails, the running application's
  // clipboard keeps the text for as long as the program runs.
  void HandOver(std::string_view bytes);
  // Waits, for a short while at most, until the last keeper owns the
  // clipboard; whether it does.
  bool Finish();

 private:
  std::string program_file_;
  std::unique_ptr<QProcess> process_;
};

}  // namespace quor
