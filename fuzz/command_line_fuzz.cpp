// Shell arguments split into the document argument and the options, the
// "-d:" forms of the path, and the load they lead to with every filter option
// they name.

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
#include "fuzz/fuzz_support.h"

namespace quor::fuzz {
namespace {

void CheckOneArgument(const std::string& argument) {
  const std::optional<std::string> path = PathFromArgument(argument);
  if (!IsDocumentArgument(argument)) {
    Expect(path.has_value(), "a plain path is found");
    ExpectEqual("a plain path", *path, argument);
    return;
  }
  const std::string_view rest = std::string_view(argument).substr(3);
  if (!rest.starts_with('"')) {
    Expect(path.has_value(), "an unquoted -d: path is found");
    ExpectEqual("the path of -d:path", *path, rest);
  } else if (rest.size() >= 2 && rest.ends_with('"')) {
    Expect(path.has_value(), "a quoted -d: path is found");
    ExpectEqual("the path of -d:\"path\"", *path,
                rest.substr(1, rest.size() - 2));
  } else {
    Expect(!path.has_value(), "an unclosed quote names no path");
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
  const CommandLine command_line = SplitArguments(argv);
  Expect(IsBatchRun(command_line) == CommandLineHas(command_line, "-c"),
         "a batch run is a command line with -c");
  Expect(
      command_line.options.empty() || IsDocumentArgument(command_line.document),
      "only a command line with -d: has options");

  const std::optional<std::string> path =
      PathFromArgument(command_line.document);
  if (path && path->find('/') != std::string::npos) return 0;
  RecordingMessages messages;
  Application app(ProgramPaths{}, messages);
  app.document.text = "vorher";
  LoadDocument(app, command_line.document);
  if (app.document_path.empty()) {
    ExpectEqual("a failed load keeps the document", *app.document.text,
                "vorher");
    Expect(command_line.document.empty() || !messages.shown.empty(),
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
