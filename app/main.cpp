#include <cstdio>
#include <span>
#include <string>

#include "app/application.h"
#include "app/command_line.h"
#include "app/console_messages.h"
#include "app/program_paths.h"
#include "app/startup.h"

namespace {

constexpr const char* kVersion = "Quor-Filter 3.2\n";

}  // namespace

int main(int argc, char** argv) {
  // A program started without even its own name gets an empty command line.
  const std::size_t count = argc > 1 ? static_cast<std::size_t>(argc - 1) : 0;
  const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0),
                                               count);
  const std::string command_line = quor::JoinArguments(arguments);
  if (command_line == "--help") {
    std::fputs(quor::UsageText().c_str(), stdout);
    return 0;
  }
  if (command_line == "--version") {
    std::fputs(kVersion, stdout);
    return 0;
  }
  if (!quor::IsBatchRun(command_line)) {
    std::fputs(
        "quorfilter: Diese Ausgabe hat noch kein Fenster; mit -c läuft sie "
        "als Stapellauf (siehe --help).\n",
        stderr);
    return 2;
  }
  quor::ConsoleMessages messages;
  quor::Application app(quor::ProgramPathsFor(quor::RunningProgramFile(
                            argc > 0 ? argv[0] : "quorfilter")),
                        messages);
  quor::StartUp(app, command_line);
  quor::EndBatchRun(app);
  return messages.ErrorReported() ? 1 : 0;
}
