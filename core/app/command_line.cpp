#include "core/app/command_line.h"

#include <algorithm>

#include "core/app/byte_map_fold.h"
#include "core/app/document_file.h"
#include "core/app/filter_catalogue.h"
#include "core/app/unix_usage.h"
#include "core/filters/find_no_case.h"

namespace quor {

CommandLine SplitArguments(std::span<const char* const> arguments) {
  const auto document = std::find_if(
      arguments.begin(), arguments.end(),
      [](const char* argument) { return IsDocumentArgument(argument); });
  CommandLine command_line;
  if (document != arguments.end()) command_line.document = *document;
  // Without a "-d:" argument the whole command line is the path.
  std::string& joined = document != arguments.end() ? command_line.options
                                                    : command_line.document;
  for (auto argument = arguments.begin(); argument != arguments.end();
       ++argument) {
    if (argument == document) continue;
    if (!joined.empty()) joined += ' ';
    joined.append(*argument);
  }
  return command_line;
}

CommandLine CommandLineOf(int argc, const char* const* argv) {
  if (argc <= 1) return {};
  return SplitArguments(std::span<const char* const>(
      argv + 1, static_cast<std::size_t>(argc - 1)));
}

bool CommandLineHas(const CommandLine& command_line, std::string_view option) {
  return FindNoCase(command_line.options, option) != std::string_view::npos;
}

void RunCommandLineOptions(Application& app, const CommandLine& command_line) {
  const auto has = [&command_line](std::string_view option) {
    return CommandLineHas(command_line, option);
  };
  const bool refresh_view = !has("-c");
  // With no view to refresh in between, consecutive filters that are byte
  // maps run as one map, in one pass over the text.
  ByteMapFold fold;
  for (const FilterEntry& filter : FilterCatalogue()) {
    if (!has(filter.option)) continue;
    if (!refresh_view && fold.Take(filter, app.document)) continue;
    fold.Apply(app.document);
    if (!filter.run(app) || !refresh_view) continue;
    RefreshView(app.document, app.view, app.settings.wrap_view != 0,
                app.messages);
  }
  fold.Apply(app.document);
}

std::string UsageText(std::string_view settings_folder) {
  std::string usage = UnixUsageText();
  usage +=
      "\n"
      "Kompatible Befehlszeile (mit -d: oder ganz ohne Optionen):\n"
      "\n"
      "Aufruf: quorfilter [-d:\"DATEI\" | DATEI] [OPTIONEN] [-c]\n"
      "\n"
      "Lädt DATEI, wendet die genannten Filter in fester Reihenfolge an und\n"
      "schreibt das Ergebnis mit -c in dieselbe Datei zurück. Optionen werden\n"
      "nie im Dateinamen gesucht.\n"
      "\n"
      "  -d:\"DATEI\"  die zu ladende Datei (ohne -d: gilt die ganze\n"
      "              Befehlszeile als Dateiname, und keine Option läuft)\n"
      "  -c          Ergebnis zurückschreiben und ohne Fenster enden\n";
  for (const FilterEntry& filter : FilterCatalogue()) {
    usage += "  ";
    usage += filter.option;
    usage.append(12 - std::min<std::size_t>(filter.option.size(), 11), ' ');
    usage += filter.label;
    usage += '\n';
  }
  usage +=
      "  -COPY       Kopieren: das Ergebnis in die Zwischenablage (endet wie "
      "-c)\n"
      "  --help      diese Hilfe\n"
      "  --version   die Version\n"
      "\n"
      "Einstellungen (quorfilter.INI) und Wortlisten (FILTER.TXT, "
      "REPLACE.TXT)\n"
      "liegen in: ";
  usage.append(settings_folder);
  usage += '\n';
  return usage;
}

}  // namespace quor
