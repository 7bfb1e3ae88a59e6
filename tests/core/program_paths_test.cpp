#include "core/files/program_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/files/word_lists.h"
#include "test_support.h"

namespace quor {
namespace {

TEST(ProgramPaths, SettingsFileTakesTheProgramsNameListsItsFolder) {
  const ProgramPaths paths = ProgramPathsFor("/x/tools/anything.exe");
  EXPECT_EQ(paths.settings_file, "/x/tools/anything.INI");
  EXPECT_EQ(paths.exclude_list, "/x/tools/FILTER.TXT");
  EXPECT_EQ(paths.replace_list, "/x/tools/REPLACE.TXT");
  // Only a dot in the file name starts an extension.
  EXPECT_EQ(ProgramPathsFor("/opt/q.d/quorfilter").settings_file,
            "/opt/q.d/quorfilter.INI");
  EXPECT_EQ(ProgramPathsFor("quorfilter").settings_file, "quorfilter.INI");
  EXPECT_EQ(ProgramPathsFor("quorfilter").exclude_list, "FILTER.TXT");
}

TEST(ProgramPaths, UserConfigFolderAndMovedPaths) {
  EXPECT_EQ(UserConfigFolder("/x/cfg", "/home/u"), "/x/cfg/quorfilter");
  // A relative XDG_CONFIG_HOME is ignored, as the convention says.
  EXPECT_EQ(UserConfigFolder("cfg", "/home/u"), "/home/u/.config/quorfilter");
  EXPECT_EQ(UserConfigFolder(nullptr, "/home/u"), "/home/u/.config/quorfilter");
  EXPECT_EQ(UserConfigFolder(nullptr, ""), "");
  const ProgramPaths moved =
      MovedTo(ProgramPathsFor("/usr/bin/quorfilter"), "/home/u/.config/q");
  EXPECT_EQ(moved.settings_file, "/home/u/.config/q/quorfilter.INI");
  EXPECT_EQ(moved.exclude_list, "/home/u/.config/q/FILTER.TXT");
  EXPECT_EQ(moved.replace_list, "/home/u/.config/q/REPLACE.TXT");
  EXPECT_EQ(SettingsFolder(moved), "/home/u/.config/q");
  EXPECT_EQ(SettingsFolder(ProgramPathsFor("/quorfilter")), "/");
  EXPECT_EQ(SettingsFolder(ProgramPathsFor("quorfilter")), ".");
}

TEST(ProgramPaths, SettingsFolderIsMadeBeforeTheFirstWrite) {
  testing::TempDir dir;
  const ProgramPaths paths =
      MovedTo(ProgramPathsFor("/usr/bin/quorfilter"), dir.File("cfg/q"));
  MakeSettingsFolder(paths);
  testing::WriteFile(paths.settings_file, "[Allgemein]\r\n");
  EXPECT_EQ(testing::ReadFile(paths.settings_file), "[Allgemein]\r\n");
}

// Without /proc the program's file is found the way the shell found it when
// it started the program; the current folder is never a guess.
TEST(ProgramFile, FoundFromArgv0AndSearchPathWithoutProc) {
  namespace fs = std::filesystem;
  testing::TempDir dir;
  const std::string no_proc = dir.File("no-proc/exe");
  for (const char* folder : {"bin", "plain", "empty", "folder/prog"}) {
    fs::create_directories(dir.File(folder));
  }
  testing::WriteFile(dir.File("bin/prog"), "");
  fs::permissions(dir.File("bin/prog"), fs::perms::owner_all);
  testing::WriteFile(dir.File("plain/prog"), "");
  fs::create_directory_symlink(dir.File("bin"), dir.File("link"));
  const std::string real = fs::canonical(dir.File("bin/prog")).string();

  // A slash: a path from the current folder, with its links resolved.
  const std::string relative = fs::relative(dir.File("link/prog")).string();
  ASSERT_NE(relative.find('/'), std::string::npos);
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), relative, nullptr), real);
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), dir.File("plain/prog"), ""), "");
  // No slash: the first executable file in the search path, where an empty
  // entry stands for the current folder as it does for the shell.
  const std::string search = dir.File("empty") + ":" + dir.File("plain") + ":" +
                             dir.File("folder") + "::" + dir.File("bin");
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), "prog", search.c_str()), real);
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), "prog", dir.File("empty").c_str()),
            "");
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), "", search.c_str()), "");
  // An unset PATH searches the system's default folders.
  EXPECT_EQ(FindProgramFile(no_proc.c_str(), "sh", nullptr),
            fs::canonical("/bin/sh").string());

  // With /proc its answer holds, whatever argv[0] says.
  fs::create_directories(dir.File("proc"));
  fs::create_symlink("/opt/q/quorfilter", dir.File("proc/exe"));
  EXPECT_EQ(
      FindProgramFile(dir.File("proc/exe").c_str(), "prog", search.c_str()),
      "/opt/q/quorfilter");
}

// A missing list clears its setting; a list that is there loads whole, and
// one that cannot be read or holds a zero byte keeps the setting.
TEST(WordLists, LoadOrClearTheSetting) {
  testing::TempDir dir;
  testing::RecordingMessages messages;
  std::int32_t enabled = 5;
  EXPECT_FALSE(LoadWordList(dir.File("FILTER.TXT"), CharacterSet::kAuto,
                            enabled, messages)
                   .has_value());
  EXPECT_EQ(enabled, 0);
  enabled = 1;
  testing::WriteFile(dir.File("empty.txt"), "");
  EXPECT_EQ(LoadWordList(dir.File("empty.txt"), CharacterSet::kAuto, enabled,
                         messages),
            "");
  // A UTF-8 list matches the documents' Windows-1252 text, unless the
  // settings say every file is bytes.
  testing::WriteFile(dir.File("utf8.txt"), "f\xC3\xBCr");
  EXPECT_EQ(LoadWordList(dir.File("utf8.txt"), CharacterSet::kAuto, enabled,
                         messages),
            "f\xFCr");
  EXPECT_EQ(LoadWordList(dir.File("utf8.txt"), CharacterSet::kAnsi, enabled,
                         messages),
            "f\xC3\xBCr");
  EXPECT_FALSE(LoadWordList(dir.path(), CharacterSet::kAuto, enabled, messages)
                   .has_value());
  EXPECT_TRUE(messages.shown.empty());
  testing::WriteFile(dir.File("REPLACE.TXT"),
                     std::string("eins\r\nzw\0ei", 11));
  EXPECT_FALSE(LoadWordList(dir.File("REPLACE.TXT"), CharacterSet::kAuto,
                            enabled, messages)
                   .has_value());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, "Warnung!");
  EXPECT_EQ(messages.shown[0].second, "REPLACE.TXT enthält Nullbytes.");
  EXPECT_EQ(enabled, 1);
}

}  // namespace
}  // namespace quor
