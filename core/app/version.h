#pragma once

namespace quor {

// The program's name and version, as --version, the window title, the tray
// icon and the options sheet show it. The version is set once, in the build.
inline constexpr const char* kNameAndVersion = "Quor-Filter " QUOR_VERSION;

}  // namespace quor
