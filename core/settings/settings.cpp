#include "core/settings/settings.h"

#include <optional>
#include <string_view>
#include <utility>
#include <variant>

#include "core/filters/messages.h"
#include "core/settings/profile_file.h"

namespace quor {
namespace {

using NumberField = std::int32_t Settings::*;

struct TextField {
  std::string Settings::*field;
  std::size_t max_chars;
};

// One key of the file. Its fallback when missing is the record's default.
struct Entry {
  std::string_view section;
  std::string_view key;
  std::variant<NumberField, TextField> field;
  // Set only for a key written in another case than it is read.
  std::string_view written_key = {};
};

constexpr std::string_view kGeneral = "Allgemein";
constexpr std::string_view kFilter = "Filter";

// Every setting in the order it is written. Keys are Windows-1252 bytes
// (0xE4 is "ä").
constexpr Entry kEntries[] = {
    {kGeneral, "Maximieren", &Settings::maximize},
    {kGeneral, "Umbrechen", &Settings::wrap_view},
    {kGeneral, "Clipboard", &Settings::clipboard},
    {kGeneral, "Zeichengroesse", &Settings::font_size},
    {kGeneral, "Trennzeichen", TextField{&Settings::separator, 17}},
    {kGeneral, "Zeichensatz", TextField{&Settings::character_set, 16}},
    {kFilter, "Substantive", &Settings::nouns},
    {kFilter, "Woerter", &Settings::duplicate_words},
    {kFilter, "Zeilen", &Settings::duplicate_lines},
    {kFilter, "Leerzeichen", &Settings::superfluous_blanks},
    {kFilter, "Grossbuchstaben", &Settings::upper_case},
    {kFilter, "Kleinbuchstaben", &Settings::lower_case},
    {kFilter, "Html", &Settings::html},
    {kFilter, "Rtf", &Settings::rtf},
    {kFilter, "Exclude", &Settings::exclude},
    {kFilter, "Replace", &Settings::replace},
    {kFilter, "Ansi", &Settings::ansi_to_oem},
    {kFilter, "Oem", &Settings::oem_to_ansi},
    {kFilter, "Crlf", &Settings::remove_line_breaks},
    {kFilter, "Crlfcr", &Settings::dos_to_mac},
    {kFilter, "Crlflf", &Settings::dos_to_unix},
    {kFilter, "Crcrlf", &Settings::mac_to_dos},
    {kFilter, "lfcrlf", &Settings::unix_to_dos},
    {kFilter, "Buchstaben", &Settings::letters_only},
    {kFilter, "MindestL\xE4nge", &Settings::min_word_length_button},
    {kFilter, "2Zeichen", &Settings::two_same_chars},
    {kFilter, "3Zeichen", &Settings::three_same_chars},
    {kFilter, "XZeichen", &Settings::x_same_chars, "xZeichen"},
    {kFilter, "ZeichenL\xE4nge", &Settings::same_chars_length},
    {kFilter, "WortL\xE4nge", &Settings::min_word_length},
    {kFilter, "keine Zahlen", &Settings::no_digits},
    {kFilter, "Umbruch", &Settings::wrap_words},
    {kFilter, "Umbruch Zeichen", &Settings::wrap_width},
    {kFilter, "Moderne Leser", &Settings::modern_readers},
};

std::string_view WrittenKey(const Entry& entry) {
  return entry.written_key.empty() ? entry.key : entry.written_key;
}

}  // namespace

void LoadSettings(const std::string& path, Settings& settings,
                  Messages& messages) {
  Settings loaded;
  const bool read = ReportingLackOfMemory(messages, [&] {
    const ProfileFile file = ProfileFile::Read(path).value_or(ProfileFile());
    for (const Entry& entry : kEntries) {
      if (const auto* number = std::get_if<NumberField>(&entry.field)) {
        loaded.*(*number) =
            file.GetInt(entry.section, entry.key, loaded.*(*number));
      } else {
        const auto& text = std::get<TextField>(entry.field);
        loaded.*text.field = file.GetText(entry.section, entry.key,
                                          loaded.*text.field, text.max_chars);
      }
    }
  });
  if (read) settings = std::move(loaded);
}

void SaveSettings(const std::string& path, const Settings& settings,
                  Messages& messages) {
  ReportingLackOfMemory(messages, [&] {
    // A file that exists but cannot be read is left alone rather than
    // replaced by the settings without its other sections.
    std::optional<ProfileFile> file = ProfileFile::Read(path);
    if (!file) return;
    for (const Entry& entry : kEntries) {
      if (const auto* number = std::get_if<NumberField>(&entry.field)) {
        file->SetInt(entry.section, WrittenKey(entry), settings.*(*number));
      } else {
        file->SetText(entry.section, WrittenKey(entry),
                      settings.*std::get<TextField>(entry.field).field);
      }
    }
    // Nothing to report on failure: the record in memory keeps its values.
    file->Write(path);
  });
}

std::string_view SettingKey(std::int32_t Settings::*member) {
  for (const Entry& entry : kEntries) {
    const auto* number = std::get_if<NumberField>(&entry.field);
    if (number != nullptr && *number == member) return entry.key;
  }
  return {};
}

}  // namespace quor
