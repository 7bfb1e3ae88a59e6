#include "core/settings/settings.h"

#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "core/settings/profile_file.h"

namespace quor {
namespace {

struct IntKey {
  std::int32_t Settings::*field;
  std::int32_t fallback;
};

struct TextKey {
  std::string Settings::*field;
  std::string_view fallback;
  std::size_t max_chars;
};

struct Entry {
  std::string_view section;
  std::string_view key_read;
  std::string_view key_written;
  std::variant<IntKey, TextKey> value;
};

constexpr std::string_view kGeneral = "Allgemein";
constexpr std::string_view kFilter = "Filter";

// Every setting in the order it is written. Keys are Windows-1252 bytes
// (0xE4 is "ä"). The separator's fallback ", " is trimmed like a value
// from the file, which leaves ",".
constexpr std::array<Entry, 32> kEntries = {{
    {kGeneral, "Maximieren", "Maximieren", IntKey{&Settings::maximize, 0}},
    {kGeneral, "Umbrechen", "Umbrechen", IntKey{&Settings::wrap_view, 0}},
    {kGeneral, "Clipboard", "Clipboard", IntKey{&Settings::clipboard, 0}},
    {kGeneral, "Zeichengroesse", "Zeichengroesse",
     IntKey{&Settings::font_size, 24}},
    {kGeneral, "Trennzeichen", "Trennzeichen",
     TextKey{&Settings::separator, ", ", 17}},
    {kFilter, "Substantive", "Substantive", IntKey{&Settings::nouns, 1}},
    {kFilter, "Woerter", "Woerter", IntKey{&Settings::duplicate_words, 1}},
    {kFilter, "Zeilen", "Zeilen", IntKey{&Settings::duplicate_lines, 1}},
    {kFilter, "Leerzeichen", "Leerzeichen",
     IntKey{&Settings::superfluous_blanks, 1}},
    {kFilter, "Grossbuchstaben", "Grossbuchstaben",
     IntKey{&Settings::upper_case, 0}},
    {kFilter, "Kleinbuchstaben", "Kleinbuchstaben",
     IntKey{&Settings::lower_case, 0}},
    {kFilter, "Html", "Html", IntKey{&Settings::html, 1}},
    {kFilter, "Rtf", "Rtf", IntKey{&Settings::rtf, 1}},
    {kFilter, "Exclude", "Exclude", IntKey{&Settings::exclude, 1}},
    {kFilter, "Replace", "Replace", IntKey{&Settings::replace, 1}},
    {kFilter, "Ansi", "Ansi", IntKey{&Settings::ansi_to_oem, 0}},
    {kFilter, "Oem", "Oem", IntKey{&Settings::oem_to_ansi, 0}},
    {kFilter, "Crlf", "Crlf", IntKey{&Settings::remove_line_breaks, 0}},
    {kFilter, "Crlfcr", "Crlfcr", IntKey{&Settings::dos_to_mac, 0}},
    {kFilter, "Crlflf", "Crlflf", IntKey{&Settings::dos_to_unix, 0}},
    {kFilter, "Crcrlf", "Crcrlf", IntKey{&Settings::mac_to_dos, 0}},
    {kFilter, "lfcrlf", "lfcrlf", IntKey{&Settings::unix_to_dos, 0}},
    {kFilter, "Buchstaben", "Buchstaben", IntKey{&Settings::letters_only, 0}},
    {kFilter, "MindestL\xE4nge", "MindestL\xE4nge",
     IntKey{&Settings::min_word_length_button, 0}},
    {kFilter, "2Zeichen", "2Zeichen", IntKey{&Settings::two_same_chars, 0}},
    {kFilter, "3Zeichen", "3Zeichen", IntKey{&Settings::three_same_chars, 0}},
    {kFilter, "XZeichen", "xZeichen", IntKey{&Settings::x_same_chars, 0}},
    {kFilter, "ZeichenL\xE4nge", "ZeichenL\xE4nge",
     IntKey{&Settings::same_chars_length, 2}},
    {kFilter, "WortL\xE4nge", "WortL\xE4nge",
     IntKey{&Settings::min_word_length, 2}},
    {kFilter, "keine Zahlen", "keine Zahlen", IntKey{&Settings::no_digits, 0}},
    {kFilter, "Umbruch", "Umbruch", IntKey{&Settings::wrap_words, 0}},
    {kFilter, "Umbruch Zeichen", "Umbruch Zeichen",
     IntKey{&Settings::wrap_width, 70}},
}};

}  // namespace

void LoadSettings(const std::string& path, Settings& settings) {
  const ProfileFile file = ProfileFile::Read(path).value_or(ProfileFile());
  for (const Entry& entry : kEntries) {
    if (const auto* key = std::get_if<IntKey>(&entry.value)) {
      settings.*key->field =
          file.GetInt(entry.section, entry.key_read, key->fallback);
    } else {
      const auto& text = std::get<TextKey>(entry.value);
      settings.*text.field = file.GetText(entry.section, entry.key_read,
                                          text.fallback, text.max_chars);
    }
  }
}

void SaveSettings(const std::string& path, const Settings& settings) {
  // A file that exists but cannot be read is left alone rather than replaced
  // by the settings without its other sections.
  std::optional<ProfileFile> file = ProfileFile::Read(path);
  if (!file) return;
  for (const Entry& entry : kEntries) {
    if (const auto* key = std::get_if<IntKey>(&entry.value)) {
      file->SetInt(entry.section, entry.key_written, settings.*key->field);
    } else {
      file->SetText(entry.section, entry.key_written,
                    settings.*std::get<TextKey>(entry.value).field);
    }
  }
  // Nothing to report on failure: the record in memory keeps its values.
  file->Write(path);
}

}  // namespace quor
