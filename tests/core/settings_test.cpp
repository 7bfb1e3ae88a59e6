#include "core/settings/settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  std::string SavedBytes(const Settings& settings) {
    const std::string path = temp_.File("saved.INI");
    std::filesystem::remove(path);
    SaveSettings(path, settings, messages_);
    return ReadFile(path);
  }

  testing::TempDir temp_;
  testing::RecordingMessages messages_;
  std::string dir_ = temp_.path();
  std::string path_ = temp_.File("quorfilter.INI");
};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndCommaSeparator) {
  Settings settings{.font_size = 1, .separator = "x", .nouns = 0};
  LoadSettings(path_, settings, messages_);
  EXPECT_EQ(settings.separator, ",");
  EXPECT_EQ(SavedBytes(settings), SavedBytes(Settings{}));
}

TEST_F(SettingsTest, NewFileHoldsAllKeysInOrderAndReadsBack) {
  // clang-format off
  const Settings settings{
      .maximize = -1, .wrap_view = 2, .clipboard = 3, .font_size = 4,
      .separator = ";", .character_set = "utf-8", .nouns = 6, .duplicate_words = 7, .duplicate_lines = 8,
      .superfluous_blanks = 9, .upper_case = 10, .lower_case = 11, .html = 12,
      .rtf = 13, .exclude = 14, .replace = 15, .ansi_to_oem = 16,
      .oem_to_ansi = 17, .remove_line_breaks = 18, .dos_to_mac = 19,
      .dos_to_unix = 20, .mac_to_dos = 21, .unix_to_dos = 22,
      .letters_only = 23, .min_word_length_button = 24, .two_same_chars = 25,
      .three_same_chars = 26, .x_same_chars = 27, .same_chars_length = 28,
      .min_word_length = 29, .no_digits = 30, .wrap_words = 31,
      .wrap_width = 2147483647, .modern_readers = 32};
  // clang-format on
  SaveSettings(path_, settings, messages_);
  const std::string expected =
      "[Allgemein]\r\nMaximieren=-1\r\nUmbrechen=2\r\nClipboard=3\r\n"
      "Zeichengroesse=4\r\nTrennzeichen=;\r\nZeichensatz=utf-8\r\n\r\n"
      "[Filter]\r\nSubstantive=6\r\nWoerter=7\r\nZeilen=8\r\nLeerzeichen=9\r\n"
      "Grossbuchstaben=10\r\nKleinbuchstaben=11\r\nHtml=12\r\nRtf=13\r\n"
      "Exclude=14\r\nReplace=15\r\nAnsi=16\r\nOem=17\r\nCrlf=18\r\n"
      "Crlfcr=19\r\nCrlflf=20\r\nCrcrlf=21\r\nlfcrlf=22\r\nBuchstaben=23\r\n"
      "MindestL\xE4nge=24\r\n2Zeichen=25\r\n3Zeichen=26\r\nxZeichen=27\r\n"
      "ZeichenL\xE4nge=28\r\nWortL\xE4nge=29\r\nkeine Zahlen=30\r\n"
      "Umbruch=31\r\nUmbruch Zeichen=2147483647\r\nModerne Leser=32\r\n";
  EXPECT_EQ(ReadFile(path_), expected);
  // Saving what was loaded gives the same file only if every key is read
  // into the field it was written from.
  Settings loaded;
  LoadSettings(path_, loaded, messages_);
  EXPECT_EQ(SavedBytes(loaded), expected);
}

TEST_F(SettingsTest, ExistingFileKeepsItsLinesAndGainsMissingOnes) {
  WriteFile(path_,
            "; Quor-Filter\n[Quor-Filter2]\nFlags=0\n\n"
            "[filter]\nHtml=0\nXZeichen=1\nEigenes=7\n\n");
  SaveSettings(path_, Settings{}, messages_);
  const std::string bytes = ReadFile(path_);
  EXPECT_TRUE(bytes.starts_with(
      "; Quor-Filter\n[Quor-Filter2]\nFlags=0\n\n"
      "[filter]\nHtml=1\nXZeichen=0\nEigenes=7\nSubstantive=1\nWoerter=1\n"))
      << bytes;
  EXPECT_TRUE(bytes.ends_with(
      "Umbruch Zeichen=70\nModerne "
      "Leser=0\n\n\n[Allgemein]\nMaximieren=0\nUmbrechen=0\n"
      "Clipboard=0\nZeichengroesse=24\nTrennzeichen=,\nZeichensatz=Auto\n"))
      << bytes;
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  EXPECT_EQ(bytes.find("xZeichen"), std::string::npos);
  EXPECT_EQ(std::ranges::count(bytes, '='), 36);
}

TEST_F(SettingsTest, SeparatorIsWrittenAsIsAndReadTrimmed) {
  const struct {
    std::string in_file;
    std::string read;
  } cases[] = {{"\" - \"", " - "},
               {"123456789012345678901234567890", "12345678901234567"}};
  for (const auto& c : cases) {
    SaveSettings(path_, Settings{.separator = c.in_file}, messages_);
    EXPECT_NE(ReadFile(path_).find("\r\nTrennzeichen=" + c.in_file + "\r\n"),
              std::string::npos);
    Settings settings;
    LoadSettings(path_, settings, messages_);
    EXPECT_EQ(settings.separator, c.read) << c.in_file;
  }
}

TEST_F(SettingsTest, UnwritablePlaceIsIgnored) {
  WriteFile(dir_ + "/file", "x");
  std::filesystem::create_directory(dir_ + "/folder");
  for (const std::string& path :
       {dir_ + "/missing/q.INI", dir_ + "/file/q.INI", dir_ + "/folder"}) {
    SaveSettings(path, Settings{.nouns = 5}, messages_);
    Settings settings;
    LoadSettings(path, settings, messages_);
    EXPECT_EQ(settings.nouns, 1) << path;
  }
  EXPECT_EQ(ReadFile(dir_ + "/file"), "x");
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/missing"));
}

TEST_F(SettingsTest, FileWithoutPermissionsIsLeftAlone) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores permissions";
  WriteFile(path_, "[Quor-Filter2]\nFlags=0\n");
  ASSERT_EQ(chmod(path_.c_str(), 0200), 0);
  SaveSettings(path_, Settings{}, messages_);
  ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
  EXPECT_EQ(ReadFile(path_), "[Quor-Filter2]\nFlags=0\n");

  ASSERT_EQ(chmod(dir_.c_str(), 0500), 0);
  SaveSettings(dir_ + "/new.INI", Settings{}, messages_);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/new.INI"));
}

}  // namespace
}  // namespace quor
