#include "core/files/program_paths.h"

#include <unistd.h>

#include <climits>

namespace quor {

ProgramPaths ProgramPathsFor(const std::string& program_file) {
  const std::size_t slash = program_file.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const std::string folder = program_file.substr(0, name_start);
  std::size_t name_end = program_file.rfind('.');
  if (name_end == std::string::npos || name_end < name_start) {
    name_end = program_file.size();
  }
  return ProgramPaths{
      .settings_file = program_file.substr(0, name_end) + ".INI",
      .exclude_list = folder + "FILTER.TXT",
      .replace_list = folder + "REPLACE.TXT",
  };
}

std::string RunningProgramFile(const std::string& fallback) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return fallback;
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace quor
