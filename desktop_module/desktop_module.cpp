#include <QApplication>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/app/application.h"
#include "core/app/command_line.h"
#include "core/app/console_messages.h"
#include "core/app/startup.h"
#include "core/files/program_paths.h"
#include "desktop/clipboard.h"
#include "desktop/desktop_messages.h"
#include "desktop/desktop_startup.h"
#include "desktop/german_texts.h"
#include "desktop_module/desktop_entry.h"

extern "C" __attribute__((visibility("default"))) int QuorDesktopMain(
    int argc, char** argv) {
  const quor::CommandLine command_line = quor::CommandLineOf(argc, argv);
  const std::string program_file =
      quor::RunningProgramFile(argc > 0 ? argv[0] : "");
  const quor::ProgramPaths paths = quor::RunningProgramPaths(program_file);
  // Made before the start-up so that its messages already come as boxes.
  QApplication application(argc, argv);
  quor::InstallGermanTranslation(application);
  quor::DesktopMessages messages;
  quor::Application app(paths, messages);
  app.program_file = program_file;
  quor::StartUp(app, command_line);
  return quor::RunDesktop(app, argc, argv);
}

extern "C" __attribute__((visibility("default"))) bool QuorKeepOnClipboard(
    const char* bytes, std::size_t size) {
  quor::ConsoleMessages messages;
  std::optional<std::string_view> text;
  if (bytes != nullptr) text.emplace(bytes, size);
  quor::CopyToClipboardAfterExit(text, messages);
  return messages.ErrorReported();
}

// The types the program expects, checked where the functions are defined.
static_assert(
    std::is_same_v<decltype(QuorDesktopMain), quor::DesktopMainFunction>);
static_assert(std::is_same_v<decltype(QuorKeepOnClipboard),
                             quor::KeepOnClipboardFunction>);
