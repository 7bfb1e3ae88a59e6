#include "program/desktop_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace quor {
namespace {

constexpr const char* kModuleFile = QUOR_DESKTOP_MODULE_FILE;
// Where the install puts the part, seen from the installed program's folder
// and as the absolute path of the configured prefix.
constexpr const char* kInstallFolderFromProgram = QUOR_MODULE_FROM_PROGRAM;
constexpr const char* kInstallFolder = QUOR_MODULE_INSTALL_DIR;

std::string FolderOf(const std::string& file) {
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

}  // namespace

void* FindDesktopFunction(const std::string& program_file, const char* symbol,
                          Messages& messages) {
  std::vector<std::string> candidates;
  // A program that does not know its file has no folder of its own; the
  // current folder is no substitute, as it may hold anyone's code.
  if (!program_file.empty()) {
    const std::string program_folder = FolderOf(program_file);
    candidates.push_back(program_folder + "/" + kModuleFile);
    candidates.push_back(program_folder + "/" + kInstallFolderFromProgram +
                         "/" + kModuleFile);
  }
  candidates.push_back(std::string(kInstallFolder) + "/" + kModuleFile);
  // A part that is there but does not load (a library it needs is missing)
  // says more than one that is not there at all.
  std::string failure;
  for (const std::string& candidate : candidates) {
    if (::access(candidate.c_str(), F_OK) != 0) continue;
    void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* function = module != nullptr ? ::dlsym(module, symbol) : nullptr;
    if (function != nullptr) return function;
    if (failure.empty()) failure = ::dlerror();
  }
  if (failure.empty()) {
    failure = std::string(kModuleFile) + " fehlt neben dem Programm und in " +
              kInstallFolder;
  }
  messages.Show("Kann den Desktop-Teil nicht laden: " + failure + ".",
                kCaptionError);
  return nullptr;
}

}  // namespace quor
