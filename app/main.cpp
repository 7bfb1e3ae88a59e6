#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "app/application.h"
#include "app/command_line.h"
#include "app/console_messages.h"
#include "app/program_paths.h"
#include "app/startup.h"
#include "ui/clipboard.h"
#include "ui/desktop_messages.h"
#include "ui/desktop_startup.h"

namespace {

constexpr const char* kVersion = "Quor-Filter 3.2\n";

// Without any of these the toolkit cannot open a window and would abort.
bool HasDisplay() {
  return std::getenv("QT_QPA_PLATFORM") != nullptr ||
         std::getenv("DISPLAY") != nullptr ||
         std::getenv("WAYLAND_DISPLAY") != nullptr;
}

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
  const quor::ProgramPaths paths = quor::ProgramPathsFor(
      quor::RunningProgramFile(argc > 0 ? argv[0] : "quorfilter"));
  if (quor::IsBatchRun(command_line)) {
    quor::ConsoleMessages messages;
    quor::Application app(paths, messages);
    quor::StartUp(app, command_line);
    // "-COPY" is the last of the options; it always ends the run as well,
    // since "-c" is found inside it.
    if (quor::CommandLineHas(command_line, "-COPY")) {
      quor::CopyToClipboardAfterExit(app.document, messages);
    }
    quor::EndBatchRun(app);
    return messages.ErrorReported() ? 1 : 0;
  }
  if (!HasDisplay()) {
    std::fputs(
        "quorfilter: Kein Bildschirm gefunden; mit -c läuft das Programm als "
        "Stapellauf (siehe --help).\n",
        stderr);
    return 2;
  }
  // Made before the start-up so that its messages already come as boxes.
  QApplication application(argc, argv);
  quor::DesktopMessages messages;
  quor::Application app(paths, messages);
  quor::StartUp(app, command_line);
  return quor::RunDesktop(app, argc, argv);
}
