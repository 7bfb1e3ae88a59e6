#include "program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace quor::testing {

ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& arguments,
                      const std::string& folder, std::string_view input,
                      const std::string& shell_prefix) {
  const std::string in = folder + "/stdin";
  const std::string out = folder + "/stdout";
  const std::string err = folder + "/stderr";
  WriteFile(in, input);
  std::vector<std::string> argv;
  if (!shell_prefix.empty()) {
    argv = {"/bin/bash", "-c", shell_prefix + "; exec \"$@\"", "bash"};
  }
  argv.push_back(program);
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(::open(in.c_str(), O_RDONLY), 0);
    ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<char*> raw;
    raw.reserve(argv.size() + 1);
    for (std::string& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    ::execv(raw[0], raw.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out),
          ReadFile(err)};
}

}  // namespace quor::testing
