#pragma once

#include <cstddef>

// The entry points of the loadable desktop part, which the program looks up
// by name. Only plain C types cross, so the program and the part share no
// objects and no allocator.
namespace quor {

// The interactive run for the program's arguments: start-up with message
// boxes, the window, the tray icon and the event loop. Returns the exit code.
using DesktopMainFunction = int(int argc, char** argv);
inline constexpr const char* kDesktopMainSymbol = "QuorDesktopMain";

// "-COPY" at the end of a batch run: leaves the `size` bytes at `bytes` on the
// window system's clipboard after the program has ended (`bytes` is nullptr
// when there is no document). Its messages go to standard error; returns
// whether one of them was an error.
using KeepOnClipboardFunction = bool(const char* bytes, std::size_t size);
inline constexpr const char* kKeepOnClipboardSymbol = "QuorKeepOnClipboard";

}  // namespace quor
