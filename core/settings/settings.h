#pragma once

#include <cstdint>
#include <string>

namespace quor {

// Every user option of the program, named after its key in the settings file.
// A flag is off at 0 and on at any other value; numbers are used unchanged.
struct Settings {
  // Section "Allgemein".
  std::int32_t maximize = 0;    // "Maximieren", kept but unused
  std::int32_t wrap_view = 0;   // "Umbrechen"
  std::int32_t clipboard = 0;   // "Clipboard"
  std::int32_t font_size = 24;  // "Zeichengroesse"
  std::string separator = ",";  // "Trennzeichen"

  // Section "Filter": one flag per button, and the filter parameters.
  std::int32_t nouns = 1;                   // "Substantive"
  std::int32_t duplicate_words = 1;         // "Woerter"
  std::int32_t duplicate_lines = 1;         // "Zeilen"
  std::int32_t superfluous_blanks = 1;      // "Leerzeichen"
  std::int32_t upper_case = 0;              // "Grossbuchstaben"
  std::int32_t lower_case = 0;              // "Kleinbuchstaben"
  std::int32_t html = 1;                    // "Html"
  std::int32_t rtf = 1;                     // "Rtf"
  std::int32_t exclude = 1;                 // "Exclude"
  std::int32_t replace = 1;                 // "Replace"
  std::int32_t ansi_to_oem = 0;             // "Ansi"
  std::int32_t oem_to_ansi = 0;             // "Oem"
  std::int32_t remove_line_breaks = 0;      // "Crlf"
  std::int32_t dos_to_mac = 0;              // "Crlfcr"
  std::int32_t dos_to_unix = 0;             // "Crlflf"
  std::int32_t mac_to_dos = 0;              // "Crcrlf"
  std::int32_t unix_to_dos = 0;             // "lfcrlf"
  std::int32_t letters_only = 0;            // "Buchstaben"
  std::int32_t min_word_length_button = 0;  // "MindestLänge"
  std::int32_t two_same_chars = 0;          // "2Zeichen"
  std::int32_t three_same_chars = 0;        // "3Zeichen"
  std::int32_t x_same_chars = 0;            // "XZeichen" / "xZeichen"
  std::int32_t same_chars_length = 2;       // "ZeichenLänge"
  std::int32_t min_word_length = 2;         // "WortLänge"
  std::int32_t no_digits = 0;               // "keine Zahlen"
  std::int32_t wrap_words = 0;              // "Umbruch"
  std::int32_t wrap_width = 70;             // "Umbruch Zeichen"
};

// Reads every setting from the settings file at `path`, each with its
// default when the file, the section or the key is missing.
void LoadSettings(const std::string& path, Settings& settings);

// Writes every setting to the settings file at `path`, in the file's fixed
// order. A failed write is ignored.
void SaveSettings(const std::string& path, const Settings& settings);

}  // namespace quor
