#include "core/app/unix_options.h"

#include <array>

namespace quor {
namespace {

using enum OptionParameter;

// "--drop-runs=N" stands for the three buttons "2/3/X gleiche Zeichen": each
// removes the words holding a run of N equal characters, 2 and 3 fixed, X
// the setting "ZeichenLänge". It runs the button of its N.
constexpr std::array kOptions = {
    FilterOption{"ansi-to-oem", "-F1", kNone, "Ansi -> OEM"},
    FilterOption{"oem-to-ansi", "-F2", kNone, "OEM -> ANSI"},
    FilterOption{"html", "-F3", kNone, "HTML -> Text"},
    FilterOption{"html-modern", "html-modern", kNone, "HTML -> Text (modern)"},
    FilterOption{"rtf", "-F4", kNone, "RTF -> Text"},
    FilterOption{"rtf-modern", "rtf-modern", kNone, "RTF -> Text (modern)"},
    FilterOption{"wrap", "-F5", kOptionalNumber, "Umbruch"},
    FilterOption{"drop-digit-words", "-F101", kNone, "keine Zahlen"},
    FilterOption{"letters-only", "-F102", kNone, "nur Buchstaben"},
    FilterOption{"join-lines", "-F103", kNone, "CR/LF entfernen"},
    FilterOption{"exclude", "-F104", kOptionalFile, "Exclude-Datei anwenden"},
    FilterOption{"replace", "-F105", kOptionalFile, "Replace-Datei anwenden"},
    FilterOption{"lower", "-F201", kNone, "Kleinbuchstaben"},
    FilterOption{"upper", "-F202", kNone, "Großbuchstaben"},
    FilterOption{"dedupe-words", "-F203", kNone, "doppelte Wörter"},
    FilterOption{"squeeze-blanks", "-F204", kNone, "überflüssige Leerzeichen"},
    FilterOption{"dedupe-lines", "-F205", kNone, "doppelte Zeilen"},
    FilterOption{"dos-to-mac", "-F206", kNone, "Dos -> Mac"},
    FilterOption{"mac-to-dos", "-F207", kNone, "Mac -> Dos"},
    FilterOption{"dos-to-unix", "-F208", kNone, "Dos -> Unix"},
    FilterOption{"unix-to-dos", "-F209", kNone, "Unix -> Dos"},
    FilterOption{"drop-runs", "-F212", kNumber, "2/3/X gleiche Zeichen"},
    FilterOption{"min-length", "-F213", kOptionalNumber, "Mindestwortlänge"},
    FilterOption{"nouns", "-F214", kOptionalText, "Substantive"},
};

}  // namespace

std::span<const FilterOption> FilterOptions() { return kOptions; }

const FilterEntry* CatalogueEntry(std::string_view option) {
  for (const FilterEntry& filter : FilterCatalogue()) {
    if (filter.option == option) return &filter;
  }
  return nullptr;
}

const FilterEntry* FilterOf(const FilterOption& option) {
  if (const FilterEntry* entry = CatalogueEntry(option.catalogue_option)) {
    return entry;
  }
  for (const FilterEntry& reader : ModernReaders()) {
    if (reader.option == option.catalogue_option) return &reader;
  }
  return nullptr;
}

std::string_view ParameterOf(OptionParameter parameter) {
  switch (parameter) {
    case OptionParameter::kNone:
      return "";
    case OptionParameter::kOptionalNumber:
      return "[=N]";
    case OptionParameter::kNumber:
      return "=N";
    case OptionParameter::kOptionalFile:
      return "[=DATEI]";
    case OptionParameter::kOptionalText:
      return "[=TRENNZEICHEN]";
  }
  return "";
}

std::string LongOptionOf(const FilterEntry& filter) {
  if (filter.option == "-F210") return "--drop-runs=2";
  if (filter.option == "-F211") return "--drop-runs=3";
  for (const FilterOption& option : FilterOptions()) {
    if (option.catalogue_option == filter.option) {
      return "--" + std::string(option.name) +
             std::string(ParameterOf(option.parameter));
    }
  }
  return "";
}

}  // namespace quor
