#include "desktop/filter_tooltips.h"

#include <array>
#include <string_view>

#include "core/app/unix_options.h"
#include "desktop/utf8_text.h"

namespace quor {
namespace {

struct ToolTipText {
  int command_id;
  std::string_view sentence;
};

constexpr std::array<ToolTipText, 24> kTexts = {{
    {107, "Wandelt Windows-Zeichen (ANSI) in DOS-Zeichen (Codepage 850) um."},
    {108, "Wandelt DOS-Zeichen (Codepage 850) in Windows-Zeichen (ANSI) um."},
    {106, "Macht aus einer HTML-Seite reinen Text."},
    {113, "Macht aus einem RTF-Dokument reinen Text."},
    {123, "Bricht die Zeilen an Wortgrenzen auf die eingestellte Breite um."},
    {120, "Löscht alle Wörter, die eine Ziffer enthalten."},
    {112, "Ersetzt jedes Zeichen außer Buchstaben durch ein Leerzeichen."},
    {109, "Ersetzt die Zeilenumbrüche durch Leerzeichen."},
    {114, "Löscht die Wörter der Liste FILTER.TXT aus dem Text."},
    {115, "Ersetzt Wörter nach der Liste REPLACE.TXT."},
    {105, "Schreibt alle Buchstaben klein."},
    {104, "Schreibt alle Buchstaben groß."},
    {101, "Löscht Wörter, die schon einmal vorkamen."},
    {103, "Entfernt überflüssige Leerzeichen und Leerzeilen."},
    {102, "Löscht Zeilen, die schon einmal vorkamen."},
    {110, "Wandelt DOS-Zeilenenden (CR LF) in Mac-Zeilenenden (CR) um."},
    {111, "Wandelt Mac-Zeilenenden (CR) in DOS-Zeilenenden (CR LF) um."},
    {121, "Wandelt DOS-Zeilenenden (CR LF) in Unix-Zeilenenden (LF) um."},
    {122, "Wandelt Unix-Zeilenenden (LF) in DOS-Zeilenenden (CR LF) um."},
    {116, "Löscht Wörter mit mehr als 2 gleichen Zeichen hintereinander."},
    {117, "Löscht Wörter mit mehr als 3 gleichen Zeichen hintereinander."},
    {118,
     "Löscht Wörter mit mehr gleichen Zeichen hintereinander als "
     "eingestellt."},
    {119, "Löscht Wörter, die kürzer als die Mindestwortlänge sind."},
    {100, "Behält nur die Substantive, getrennt durch das Trennzeichen."},
}};

}  // namespace

QString FilterToolTip(const FilterEntry& filter) {
  for (const ToolTipText& text : kTexts) {
    if (text.command_id != filter.command_id) continue;
    return FromUtf8(text.sentence) + QStringLiteral("\nBefehlszeile: ") +
           QString::fromStdString(LongOptionOf(filter)) +
           QStringLiteral(" oder ") + FromUtf8(filter.option);
  }
  return FromUtf8(filter.label);
}

}  // namespace quor
