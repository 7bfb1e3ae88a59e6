#include "core/files/pending_temporary.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace quor {
namespace {

constexpr std::size_t kMaxName = 32;

// `taken` claims a slot for one owner (any thread); `folder` is -1 while no
// name is noted. The name is written before the folder is published, so a
// handler that sees the folder sees the whole name.
struct Slot {
  std::atomic<bool> taken{false};
  std::atomic<int> folder{-1};
  char name[kMaxName];
};

std::array<Slot, PendingTemporary::kCapacity> slots;

extern "C" void RemoveAndReraise(int signal_number) {
  for (Slot& slot : slots) {
    const int folder = slot.folder.exchange(-1);
    if (folder >= 0) ::unlinkat(folder, slot.name, 0);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

PendingTemporary::PendingTemporary(int folder, const char* name)
    : slot_(kCapacity) {
  for (std::size_t i = 0; i < kCapacity; ++i) {
    if (slots[i].taken.exchange(true)) continue;
    slot_ = i;
    std::strncpy(slots[i].name, name, kMaxName - 1);
    slots[i].name[kMaxName - 1] = '\0';
    slots[i].folder.store(folder);
    return;
  }
}

PendingTemporary::~PendingTemporary() {
  if (slot_ == kCapacity) return;
  slots[slot_].folder.store(-1);
  slots[slot_].taken.store(false);
}

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
