#pragma once

namespace quor {

// A save may leave a temporary name in a folder for a moment (between
// linking the new contents and renaming them over the old file). The name
// is noted here so that SIGINT, SIGTERM or SIGHUP in that moment remove it
// before the process ends. A signal handler can only reach process-wide
// state, hence this one exception to keeping state in the application.
class PendingTemporary {
 public:
  // Notes `name` (a short name) in the folder `folder`.
  PendingTemporary(int folder, const char* name);
  PendingTemporary(const PendingTemporary&) = delete;
  PendingTemporary& operator=(const PendingTemporary&) = delete;
  // Forgets the name: it was renamed or removed.
  ~PendingTemporary();
};

// Makes SIGINT, SIGTERM and SIGHUP remove a pending temporary name before
// they end the process as they would have.
void RemoveTemporaryOnSignals();

}  // namespace quor
