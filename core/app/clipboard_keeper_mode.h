#pragma once

namespace quor {

// Set in its environment, the program reads text from standard input and
// leaves it on the clipboard as "-COPY" does, ending with status 0 once it is
// there. The window hands its copies over this way: a process with a running
// toolkit cannot fork one that starts the toolkit again.
inline constexpr const char* kClipboardKeeperVariable = "QUOR_CLIPBOARD_KEEPER";

}  // namespace quor
