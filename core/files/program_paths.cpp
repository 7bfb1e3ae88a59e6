#include "core/files/program_paths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quor {
namespace {

std::size_t NameStart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string InFolder(const std::string& folder, const std::string& path) {
  return folder + "/" + path.substr(NameStart(path));
}

}  // namespace

ProgramPaths ProgramPathsFor(const std::string& program_file) {
  const std::size_t name_start = NameStart(program_file);
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

std::string UserConfigFolder(const char* xdg_config_home, const char* home) {
  if (xdg_config_home != nullptr && xdg_config_home[0] == '/') {
    return std::string(xdg_config_home) + "/quorfilter";
  }
  if (home != nullptr && home[0] != '\0') {
    return std::string(home) + "/.config/quorfilter";
  }
  return "";
}

ProgramPaths MovedTo(const ProgramPaths& paths, const std::string& folder) {
  return ProgramPaths{
      .settings_file = InFolder(folder, paths.settings_file),
      .exclude_list = InFolder(folder, paths.exclude_list),
      .replace_list = InFolder(folder, paths.replace_list),
  };
}

ProgramPaths RunningProgramPaths(const std::string& program_file) {
  ProgramPaths beside = ProgramPathsFor(program_file);
  const std::string folder = SettingsFolder(beside);
  if (::access(folder.c_str(), W_OK) == 0 ||
      ::access(beside.settings_file.c_str(), F_OK) == 0) {
    return beside;
  }
  const std::string config =
      UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return config.empty() ? beside : MovedTo(beside, config);
}

std::string SettingsFolder(const ProgramPaths& paths) {
  const std::size_t start = NameStart(paths.settings_file);
  if (start == 0) return ".";
  if (start == 1) return "/";
  return paths.settings_file.substr(0, start - 1);
}

void MakeSettingsFolder(const ProgramPaths& paths) {
  std::error_code ignored;
  std::filesystem::create_directories(SettingsFolder(paths), ignored);
}

std::string RunningProgramFile(const std::string& fallback) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) return fallback;
  return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace quor
