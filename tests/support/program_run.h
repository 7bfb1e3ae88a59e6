#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor::testing {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when the program did not exit
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` in `folder`, with `input` on standard
// input, through the shell command `shell_prefix` when given (one that ends
// by exec'ing "$@"). Standard output and error are kept in files of
// `folder`.
ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& arguments,
                      const std::string& folder, std::string_view input = "",
                      const std::string& shell_prefix = "");

}  // namespace quor::testing
