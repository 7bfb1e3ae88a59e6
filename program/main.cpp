#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/application.h"
#include "core/app/clipboard_keeper_mode.h"
#include "core/app/command_line.h"
#include "core/app/console_messages.h"
#include "core/app/startup.h"
#include "core/app/unix_command_line.h"
#include "core/app/unix_run.h"
#include "core/app/version.h"
#include "core/files/pending_temporary.h"
#include "core/files/program_paths.h"
#include "core/files/whole_file.h"
#include "desktop_module/desktop_entry.h"
#include "program/desktop_loader.h"

namespace {

// Without any of these the toolkit cannot open a window and would abort.
bool HasDisplay() {
  return std::getenv("QT_QPA_PLATFORM") != nullptr ||
         std::getenv("DISPLAY") != nullptr ||
         std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// Whether the program was started with exactly this one argument.
bool OnlyArgumentIs(int argc, char** argv, std::string_view argument) {
  return argc == 2 && argv[1] == argument;
}

// What could not be written to standard output or standard error fails a
// run that otherwise succeeded; the run's work is done by then.
int Finish(int status) {
  return quor::FinishStandardStreams() || status != 0 ? status : 1;
}

// "-COPY": the desktop part keeps the text on the clipboard after the run.
// Returns whether that failed with an error.
bool KeepOnClipboard(const std::string& program_file,
                     const quor::TextDocument& document,
                     quor::ConsoleMessages& messages) {
  auto* keep = reinterpret_cast<quor::KeepOnClipboardFunction*>(
      quor::FindDesktopFunction(program_file, quor::kKeepOnClipboardSymbol,
                                messages));
  if (keep == nullptr) return true;
  return document.text ? keep(document.text->data(), document.text->size())
                       : keep(nullptr, 0);
}

// The window's copy, read from standard input, kept on the clipboard.
int KeepStandardInputOnClipboard(const std::string& program_file) {
  ::unsetenv(quor::kClipboardKeeperVariable);
  quor::ConsoleMessages messages;
  quor::TextDocument document;
  std::string bytes;
  if (quor::ReadStandardInput(bytes, quor::ZeroBytes::kRefused) !=
      quor::ReadStatus::kOk) {
    return 1;
  }
  document.text = std::move(bytes);
  return KeepOnClipboard(program_file, document, messages) ? 1 : 0;
}

// The conventional command line: parsed, then run on the core alone.
int RunConventional(const std::vector<std::string>& arguments,
                    const quor::ProgramPaths& paths) {
  const quor::ParsedUnixCommandLine parsed =
      quor::ParseUnixCommandLine(arguments);
  if (!parsed.command_line) {
    std::fputs(parsed.error.message.c_str(), stderr);
    return 2;
  }
  if (parsed.command_line->help) {
    std::fputs(quor::UsageText(quor::SettingsFolder(paths)).c_str(), stdout);
    return 0;
  }
  if (parsed.command_line->version) {
    std::printf("%s\n", quor::kNameAndVersion);
    return 0;
  }
  return quor::RunUnixCommandLine(*parsed.command_line, paths, stdout, stderr);
}

}  // namespace

int main(int argc, char** argv) {
  quor::RemoveTemporaryOnSignals();
  // A pipe nobody reads and a file-size limit then make writes fail, which is
  // reported, instead of ending the program before it saves.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  const quor::CommandLine command_line = quor::CommandLineOf(argc, argv);
  const std::string program_file =
      quor::RunningProgramFile(argc > 0 ? argv[0] : "");
  const quor::ProgramPaths paths = quor::RunningProgramPaths(program_file);
  if (std::getenv(quor::kClipboardKeeperVariable) != nullptr) {
    return KeepStandardInputOnClipboard(program_file);
  }
  const std::vector<std::string> arguments(argv + std::min(argc, 1),
                                           argv + argc);
  if (!quor::IsCompatibleCommandLine(arguments)) {
    return Finish(RunConventional(arguments, paths));
  }
  if (OnlyArgumentIs(argc, argv, "--help")) {
    std::fputs(quor::UsageText(quor::SettingsFolder(paths)).c_str(), stdout);
    return Finish(0);
  }
  if (OnlyArgumentIs(argc, argv, "--version")) {
    std::printf("%s\n", quor::kNameAndVersion);
    return Finish(0);
  }
  if (quor::IsBatchRun(command_line)) {
    quor::ConsoleMessages messages;
    quor::Application app(paths, messages);
    quor::StartUp(app, command_line);
    // "-COPY" is the last of the options; it always ends the run as well,
    // since "-c" is found inside it.
    const bool copy_failed =
        quor::CommandLineHas(command_line, "-COPY") &&
        KeepOnClipboard(program_file, app.document, messages);
    quor::EndBatchRun(app, messages.ErrorReported() || copy_failed);
    return Finish(messages.ErrorReported() || copy_failed ? 1 : 0);
  }
  if (!HasDisplay()) {
    std::fputs(
        "quorfilter: Kein Bildschirm gefunden; mit -c läuft das Programm als "
        "Stapellauf (siehe --help).\n",
        stderr);
    return Finish(2);
  }
  quor::ConsoleMessages messages;
  auto* desktop_main =
      reinterpret_cast<quor::DesktopMainFunction*>(quor::FindDesktopFunction(
          program_file, quor::kDesktopMainSymbol, messages));
  return Finish(desktop_main != nullptr ? desktop_main(argc, argv) : 1);
}
