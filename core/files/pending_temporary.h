#pragma once

#include <cstddef>

namespace quor {

// A save may leave a temporary name in a folder for a while (between making
// the new contents and renaming them over the old file; a batch of saves
// holds several at once). Each name is noted here so that SIGINT, SIGTERM
// or SIGHUP in that time remove it before the process ends. A signal
// handler can only reach process-wide state, hence this one exception to
// keeping state in the application.
class PendingTemporary {
 public:
  // How many names can be noted at once; a name beyond that is not noted.
  static constexpr std::size_t kCapacity = 4096;

  // Notes `name` (a short name) in the folder `folder`.
  PendingTemporary(int folder, const char* name);
  PendingTemporary(const PendingTemporary&) = delete;
  PendingTemporary& operator=(const PendingTemporary&) = delete;
  // Forgets the name: it was renamed or removed.
  ~PendingTemporary();

 private:
  std::size_t slot_;
};

// Makes SIGINT, SIGTERM and SIGHUP remove every pending temporary name
// before they end the process as they would have.
void RemoveTemporaryOnSignals();

}  // namespace quor
