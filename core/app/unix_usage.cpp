#include "core/app/unix_usage.h"

#include <algorithm>

#include "core/app/unix_options.h"

namespace quor {
namespace {

constexpr std::size_t kOptionColumn = 26;

// One option line: the option, then its explanation in the second column.
void AddLine(std::string& usage, std::string_view option,
             std::string_view text) {
  usage += "  ";
  usage += option;
  usage.append(kOptionColumn - std::min(option.size(), kOptionColumn - 1), ' ');
  usage += text;
  usage += '\n';
}

}  // namespace

std::string UnixUsageText() {
  std::string usage =
      "Aufruf: quorfilter [OPTION]... [FILE]...\n"
      "\n"
      "Wendet die genannten Filter in der geschriebenen Reihenfolge an, jeden\n"
      "so oft wie geschrieben, auf jede FILE für sich, und schreibt die\n"
      "Ergebnisse der Reihe nach auf die Standardausgabe. Ohne FILE und für\n"
      "FILE - wird die Standardeingabe gelesen.\n"
      "\n"
      "Filter (ein ausgelassener Wert kommt aus der Einstellungsdatei; ein\n"
      "angegebener gilt nur für diesen einen Schritt):\n";
  for (const FilterOption& option : FilterOptions()) {
    AddLine(usage,
            "--" + std::string(option.name) +
                std::string(ParameterOf(option.parameter)),
            option.label);
  }
  AddLine(usage, "-F<n>",
          "genau der Filter von -F<n> (-F208: nur Dos -> Unix)");
  usage +=
      "\n"
      "Ausgabe und Ablauf:\n";
  AddLine(usage, "-i, --in-place",
          "jedes geänderte Ergebnis in seine Datei schreiben");
  AddLine(usage, "-o, --output=DATEI",
          "das eine Ergebnis in DATEI (-: Standardausgabe)");
  AddLine(usage, "    --check",
          "nichts schreiben; die Dateien nennen, die sich ändern");
  AddLine(usage, "    --encoding=WERT",
          "auto, ansi oder utf-8 (sonst die Einstellung Zeichensatz)");
  AddLine(usage, "-j, --jobs=N",
          "N Dateien zugleich bei -i und --check (sonst je Prozessor eine,");
  AddLine(usage, "", "bei Dateien unter 64 KB im Mittel nur eine)");
  AddLine(usage, "-h, --help", "diese Hilfe");
  AddLine(usage, "    --version", "die Version");
  usage +=
      "\n"
      "Jedes Ergebnis wird im Zeichensatz seiner Eingabe geschrieben.\n"
      "Meldungen: \"quorfilter: FILE: <Text>\" auf der Standardfehlerausgabe,\n"
      "die Standardeingabe heißt dort (Standardeingabe). Eine Datei, die\n"
      "scheitert, bleibt unberührt; die anderen laufen weiter.\n"
      "Exit-Status: 0 alles erledigt; 1 eine Datei scheiterte oder --check\n"
      "fand Änderungen; 2 Aufruffehler.\n";
  return usage;
}

}  // namespace quor
