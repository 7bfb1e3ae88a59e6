#include "core/files/pending_temporary.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace quor {
namespace {

constexpr std::size_t kMaxName = 32;

// -1 while no name is pending. The name is written before the folder is
// published, so a handler that sees the folder sees the whole name.
std::atomic<int> pending_folder{-1};
char pending_name[kMaxName];

extern "C" void RemoveAndReraise(int signal_number) {
  const int folder = pending_folder.exchange(-1);
  if (folder >= 0) ::unlinkat(folder, pending_name, 0);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

PendingTemporary::PendingTemporary(int folder, const char* name) {
  std::strncpy(pending_name, name, kMaxName - 1);
  pending_name[kMaxName - 1] = '\0';
  pending_folder.store(folder);
}

PendingTemporary::~PendingTemporary() { pending_folder.store(-1); }

void RemoveTemporaryOnSignals() {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal the caller ignores (nohup) stays ignored.
    struct sigaction current = {};
    ::sigaction(signal_number, nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;
    struct sigaction action = {};
    action.sa_handler = RemoveAndReraise;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace quor
