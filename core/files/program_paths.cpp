#include "core/files/program_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
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

// `path` with its links resolved, when it is an executable regular file.
std::optional<std::string> ExecutableFile(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      ::access(path.c_str(), X_OK) != 0) {
    return std::nullopt;
  }
  std::error_code error;
  std::filesystem::path real = std::filesystem::canonical(path, error);
  if (error) return std::nullopt;
  return real.string();
}

// Where the shell found `name`, searching as execvp does: an empty entry
// is the current folder, and an unset PATH means the system's default.
std::optional<std::string> FoundInSearchPath(std::string_view name,
                                             const char* search_path) {
  const std::string_view folders =
      search_path != nullptr ? search_path : "/bin:/usr/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    std::string folder(folders.substr(start, end - start));
    if (folder.empty()) folder = ".";
    if (std::optional<std::string> file =
            ExecutableFile(folder + "/" + std::string(name))) {
      return file;
    }
    if (end == folders.size()) return std::nullopt;
    start = end + 1;
  }
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
  if (program_file.empty()) {
    const std::string config =
        UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (config.empty()) return {};
    return MovedTo(ProgramPathsFor("quorfilter"), config);
  }
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
  if (paths.settings_file.empty()) return "";
  const std::size_t start = NameStart(paths.settings_file);
  if (start == 0) return ".";
  if (start == 1) return "/";
  return paths.settings_file.substr(0, start - 1);
}

void MakeSettingsFolder(const ProgramPaths& paths) {
  std::error_code ignored;
  std::filesystem::create_directories(SettingsFolder(paths), ignored);
}

std::string FindProgramFile(const char* exe_link, std::string_view argv0,
                            const char* search_path) {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(exe_link, buffer, sizeof buffer);
  if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) {
    return std::string(buffer, static_cast<std::size_t>(n));
  }
  std::optional<std::string> file;
  if (argv0.find('/') != std::string_view::npos) {
    file = ExecutableFile(std::string(argv0));
  } else if (!argv0.empty()) {
    file = FoundInSearchPath(argv0, search_path);
  }
  return file.value_or("");
}

std::string RunningProgramFile(std::string_view argv0) {
  return FindProgramFile("/proc/self/exe", argv0, std::getenv("PATH"));
}

}  // namespace quor
