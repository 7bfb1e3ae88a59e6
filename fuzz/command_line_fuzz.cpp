// The raw command line from shell arguments, the "-d:" form of the document
// argument and the load it leads to, with every filter option it names.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/app/application.h"
#include "core/app/command_line.h"
#include "core/app/document_file.h"
#include "core/app/startup.h"
#include "core/filters/find_no_case.h"
#include "fuzz/fuzz_support.h"

namespace quor::fuzz {
namespace {

bool NamesQuotedPath(std::string_view argument) {
  return argument.size() >= 3 && EqualNoCase(argument.data(), "-d:", 3) &&
         (argument.size() == 3 || argument[3] != '"');
}

void CheckOneArgument(const std::string& argument) {
  const char* const raw[] = {argument.c_str()};
  const std::string command_line = JoinArguments(raw);
  const std::optional<std::string> path = PathFromArgument(command_line);
  if (NamesQuotedPath(argument)) {
    const std::string_view rest = std::string_view(argument).substr(3);
    if (rest.find('"') != std::string_view::npos) return;
    Expect(path.has_value(), "a quoted -d: path is found");
    ExpectEqual("the path of -d:path", *path, rest);
  } else if (FindNoCase(argument, "-d:") == std::string_view::npos) {
    ExpectEqual("an argument without -d:", command_line, argument);
    Expect(path.has_value(), "a plain path is found");
    ExpectEqual("a plain path", *path, argument);
  }
}

}  // namespace
}  // namespace quor::fuzz

// Loads only happen inside a scratch folder that holds a text, an empty file
// and a folder, and only for paths without "/", so no input reaches the rest
// of the system (a terminal or a pipe would block the run).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const std::string& folder = quor::fuzz::ScratchFolder();
  std::ofstream(folder + "/text.txt")
      << "Ein Text\r\nmit Zeilen, 123 und mehr.";
  std::ofstream(folder + "/empty.txt");
  std::filesystem::create_directory(folder + "/folder");
  if (chdir(folder.c_str()) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace quor;
  using namespace quor::fuzz;
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // Zero bytes separate the arguments, as in the program's argv.
  std::vector<std::string> arguments;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = input.find('\0', start);
    arguments.emplace_back(input.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) {
    argv.push_back(argument.c_str());
    CheckOneArgument(argument);
  }
  const std::string command_line = JoinArguments(argv);
  Expect(IsBatchRun(command_line) == CommandLineHas(command_line, "-c"),
         "a batch run is a command line with -c");

  const std::optional<std::string> path = PathFromArgument(command_line);
  if (!path || path->find('/') != std::string::npos) return 0;
  Expect(command_line.find(*path) != std::string::npos,
         "the path is part of the command line");
  RecordingMessages messages;
  Application app(ProgramPaths{}, messages);
  app.document.text = "vorher";
  LoadDocument(app, command_line);
  if (app.document_path.empty()) {
    ExpectEqual("a failed load keeps the document", *app.document.text,
                "vorher");
    Expect(command_line.empty() || !messages.shown.empty(),
           "a failed load says why");
  } else {
    ExpectEqual("the loaded path", app.document_path, *path);
    Expect(messages.shown.empty(), "a load succeeds silently");
  }
  RunCommandLineOptions(app, command_line);
  Expect(app.document.text->find('\0') == std::string::npos,
         "the document holds no zero byte");
  return 0;
}
