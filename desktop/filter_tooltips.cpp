#include "desktop/filter_tooltips.h"

#include <array>
#include <string_view>

#include "desktop/utf8_text.h"

namespace quor {
namespace {

struct ToolTipText {
  int command_id;
  std::string_view sentence;
  // As --help writes it; "--drop-runs" stands for three buttons.
  std::string_view long_option;
};

constexpr std::array<ToolTipText, 24> kTexts = {{
    {107, "Wandelt Windows-Zeichen (ANSI) in DOS-Zeichen (Codepage 850) um.",
     "--ansi-to-oem"},
    {108, "Wandelt DOS-Zeichen (Codepage 850) in Windows-Zeichen (ANSI) um.",
     "--oem-to-ansi"},
    {106, "Macht aus einer HTML-Seite reinen Text.", "--html"},
    {113, "Macht aus einem RTF-Dokument reinen Text.", "--rtf"},
    {123, "Bricht die Zeilen an Wortgrenzen auf die eingestellte Breite um.",
     "--wrap[=N]"},
    {120, "Löscht alle Wörter, die eine Ziffer enthalten.",
     "--drop-digit-words"},
    {112, "Ersetzt jedes Zeichen außer Buchstaben durch ein Leerzeichen.",
     "--letters-only"},
    {109, "Ersetzt die Zeilenumbrüche durch Leerzeichen.", "--join-lines"},
    {114, "Löscht die Wörter der Liste FILTER.TXT aus dem Text.",
     "--exclude[=DATEI]"},
    {115, "Ersetzt Wörter nach der Liste REPLACE.TXT.", "--replace[=DATEI]"},
    {105, "Schreibt alle Buchstaben klein.", "--lower"},
    {104, "Schreibt alle Buchstaben groß.", "--upper"},
    {101, "Löscht Wörter, die schon einmal vorkamen.", "--dedupe-words"},
    {103, "Entfernt überflüssige Leerzeichen und Leerzeilen.",
     "--squeeze-blanks"},
    {102, "Löscht Zeilen, die schon einmal vorkamen.", "--dedupe-lines"},
    {110, "Wandelt DOS-Zeilenenden (CR LF) in Mac-Zeilenenden (CR) um.",
     "--dos-to-mac"},
    {111, "Wandelt Mac-Zeilenenden (CR) in DOS-Zeilenenden (CR LF) um.",
     "--mac-to-dos"},
    {121, "Wandelt DOS-Zeilenenden (CR LF) in Unix-Zeilenenden (LF) um.",
     "--dos-to-unix"},
    {122, "Wandelt Unix-Zeilenenden (LF) in DOS-Zeilenenden (CR LF) um.",
     "--unix-to-dos"},
    {116, "Löscht Wörter mit mehr als 2 gleichen Zeichen hintereinander.",
     "--drop-runs=2"},
    {117, "Löscht Wörter mit mehr als 3 gleichen Zeichen hintereinander.",
     "--drop-runs=3"},
    {118,
     "Löscht Wörter mit mehr gleichen Zeichen hintereinander als "
     "eingestellt.",
     "--drop-runs=N"},
    {119, "Löscht Wörter, die kürzer als die Mindestwortlänge sind.",
     "--min-length[=N]"},
    {100, "Behält nur die Substantive, getrennt durch das Trennzeichen.",
     "--nouns[=TRENNZEICHEN]"},
}};

}  // namespace

QString FilterToolTip(const FilterEntry& filter) {
  for (const ToolTipText& text : kTexts) {
    if (text.command_id != filter.command_id) continue;
    return FromUtf8(text.sentence) + QStringLiteral("\nBefehlszeile: ") +
           FromUtf8(text.long_option) + QStringLiteral(" oder ") +
           FromUtf8(filter.option);
  }
  return FromUtf8(filter.label);
}

}  // namespace quor
