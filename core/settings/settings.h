#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

class Messages;

// Every user option of the program. The member initializers are the defaults,
// also for keys missing from the settings file; each member's key is in the
// file's key table (SettingKey). A flag is off at 0 and on at any other
// value; numbers are used unchanged.
struct Settings {
  // Section "Allgemein".
  std::int32_t maximize = 0;  // kept but unused
  std::int32_t wrap_view = 0;
  std::int32_t clipboard = 0;
  std::int32_t font_size = 24;
  std::string separator = ",";
  // How document files are read: "Auto", "ANSI" or "UTF-8".
  std::string character_set = "Auto";

  // Section "Filter": one flag per button, and the filter parameters.
  std::int32_t nouns = 1;
  std::int32_t duplicate_words = 1;
  std::int32_t duplicate_lines = 1;
  std::int32_t superfluous_blanks = 1;
  std::int32_t upper_case = 0;
  std::int32_t lower_case = 0;
  std::int32_t html = 1;
  std::int32_t rtf = 1;
  std::int32_t exclude = 1;
  std::int32_t replace = 1;
  std::int32_t ansi_to_oem = 0;
  std::int32_t oem_to_ansi = 0;
  std::int32_t remove_line_breaks = 0;
  std::int32_t dos_to_mac = 0;
  std::int32_t dos_to_unix = 0;
  std::int32_t mac_to_dos = 0;
  std::int32_t unix_to_dos = 0;
  std::int32_t letters_only = 0;
  std::int32_t min_word_length_button = 0;
  std::int32_t two_same_chars = 0;
  std::int32_t three_same_chars = 0;
  std::int32_t x_same_chars = 0;
  std::int32_t same_chars_length = 2;
  std::int32_t min_word_length = 2;
  std::int32_t no_digits = 0;
  std::int32_t wrap_words = 0;
  std::int32_t wrap_width = 70;
  // Whether "HTML -> Text" and "RTF -> Text" run the readers made for
  // today's files instead of the exact ones.
  std::int32_t modern_readers = 0;
};

// Reads every setting from the settings file at `path`, each with its
// default when the file, the section or the key is missing. Without memory
// for the file, reports "Nicht genug Speicher frei." and leaves `settings`
// as they were.
void LoadSettings(const std::string& path, Settings& settings,
                  Messages& messages);

// Writes every setting to the settings file at `path`, in the file's fixed
// order. A failed write is ignored; without memory for the file, reports
// "Nicht genug Speicher frei." and writes nothing.
void SaveSettings(const std::string& path, const Settings& settings,
                  Messages& messages);

// The settings file's key of a number member, as it is read (in any case);
// empty for a member the file does not hold.
std::string_view SettingKey(std::int32_t Settings::*member);

}  // namespace quor
