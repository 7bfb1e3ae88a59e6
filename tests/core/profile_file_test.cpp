#include "core/settings/profile_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include <gtest/gtest.h>

#include "test_support.h"

namespace quor {
namespace {

TEST(ProfileFileRead, ParsesIntegersAsSignAndDigitsSaturating) {
  // clang-format off
  const struct {
    const char* value;
    std::int32_t expected;
  } cases[] = {
      {"42", 42}, {" \t-7 ", -7}, {"+3", 3}, {"12abc", 12}, {"abc", 0},
      {"", 0}, {"- 3", 0}, {"0x1F", 0}, {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN},
      {"99999999999999999999999", INT_MAX}};
  // clang-format on
  for (const auto& c : cases) {
    const ProfileFile file(std::string("[S]\r\nk=") + c.value + "\r\n");
    EXPECT_EQ(file.GetInt("S", "k", 99), c.expected) << c.value;
  }
}

TEST(ProfileFileRead, TrimsUnquotesAndLimitsText) {
  // clang-format off
  const struct {
    std::string value;
    std::string expected;
  } cases[] = {
      {" \t; \t", ";"}, {"\" a \"", " a "}, {"'x'", "x"}, {"'x\"", "'x\""},
      {"\"", "\""}, {"''", ""}, {"\"'a'\"", "'a'"}, {"", ""},
      {std::string("a\0b", 3), "a"},
      {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopq"},
      {"\"abcdefghijklmnopqrs\"", "abcdefghijklmnopq"}};
  // clang-format on
  for (const auto& c : cases) {
    const ProfileFile file("[S]\nk=" + c.value + "\n");
    EXPECT_EQ(file.GetText("S", "k", "-", 17), c.expected) << c.value;
  }
  EXPECT_EQ(ProfileFile().GetText("S", "k", " ', ' ", 17), ", ");
  EXPECT_EQ(ProfileFile().GetText("S", "k", ", ", 17), ",");
}

TEST(ProfileFileRead, AllLineEndsReadAlikeAndWriteBackUnchanged) {
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    const std::string bytes = "; c" + end + " \t[ A ] " + end + "\tk = v w " +
                              end + end + "[B]" + end + "k=x";
    const ProfileFile file(bytes);
    EXPECT_EQ(file.GetText("A", "k", "", 99), "v w");
    EXPECT_EQ(file.GetText("B", "k", "", 99), "x");
    EXPECT_EQ(file.Bytes(), bytes);
  }
}

TEST(ProfileFileRead, FirstSectionAndKeyWinOthersGiveFallback) {
  const ProfileFile file(
      "x=0\n[S\nno equals\n[S]\nk=1\nk=2\n[broken\n=9\n[s]\nj=3\n[T]\nm=4");
  EXPECT_EQ(file.GetInt("S", "k", -1), 1);
  EXPECT_EQ(file.GetInt("T", "m", -1), 4);
  EXPECT_EQ(file.GetInt("S", "j", -1), -1);
  EXPECT_EQ(file.GetInt("S", "x", -1), -1);
  EXPECT_EQ(file.GetInt("broken", "", -1), -1);
  EXPECT_EQ(file.GetInt("T", "k", -1), -1);
  EXPECT_EQ(file.GetInt("U", "k", -1), -1);
}

TEST(ProfileFileRead, NamesMatchWithoutRegardToWindows1252Case) {
  // clang-format off
  const struct {
    const char* in_file;
    const char* looked_up;
    bool match;
  } cases[] = {
      {"XZeichen", "xZeichen", true}, {"\xC0\xDE", "\xE0\xFE", true},
      {"MINDESTL\xC4NGE", "MindestL\xE4nge", true},
      {"Umbruch Zeichen", "umbruch zeichen", true},
      {"Umbruch Zeichen", "UmbruchZeichen", false}, {"\xD7", "\xF7", false},
      {"\xDF", "\xFF", false}, {"\x9F", "\xFF", false}, {"[", "{", false},
      {"@", "`", false}};
  // clang-format on
  for (const auto& c : cases) {
    const std::string name = c.in_file;
    const ProfileFile as_key("[S]\n" + name + "=1\n");
    const ProfileFile as_section("[" + name + "]\nk=1\n");
    EXPECT_EQ(as_key.GetInt("S", c.looked_up, 0), c.match ? 1 : 0) << name;
    EXPECT_EQ(as_section.GetInt(c.looked_up, "k", 0), c.match ? 1 : 0) << name;
  }
}

TEST(ProfileFileSet, ChangesOnlyTheValueOfAnExistingKey) {
  ProfileFile file("; note\r\n[S]\r\n  KEY = old \r\n[T]\r\nkey=2\r\n");
  file.SetInt("s", "key", INT_MIN);
  EXPECT_EQ(file.Bytes(),
            "; note\r\n[S]\r\n  KEY =-2147483648\r\n[T]\r\nkey=2\r\n");
  file.SetText("T", "key", "a \r\n[S]\r\nKEY=b");
  EXPECT_EQ(file.GetText("T", "key", "", 99), "a");
  EXPECT_EQ(file.GetInt("S", "key", 0), INT_MIN);
}

TEST(ProfileFileSet, AddsMissingKeysAndSections) {
  const struct {
    std::string before;
    std::string after;
  } cases[] = {{"", "[N]\r\nk=v\r\n"},
               {"x", "x\r\n\r\n[N]\r\nk=v\r\n"},
               {"a\n", "a\n\n[N]\nk=v\n"},
               {"[S]\rb=1", "[S]\rb=1\r\r[N]\rk=v\r"},
               {"[N]\nb=1", "[N]\nb=1\nk=v\n"},
               {"[N]\r\n[T]\r\n", "[N]\r\nk=v\r\n[T]\r\n"},
               {"[N]\na=1\n \n\n[T]\n[N]\nc=3\n",
                "[N]\na=1\nk=v\n \n\n[T]\n[N]\nc=3\n"}};
  for (const auto& c : cases) {
    ProfileFile file(c.before);
    file.SetText("N", "k", "v");
    EXPECT_EQ(file.Bytes(), c.after) << c.before;
  }
}

TEST(ProfileFileDisk, ZeroByteIsKeptAndLinesAfterItAreRead) {
  testing::TempDir dir;
  const std::string path = dir.File("test.INI");
  const std::string bytes("[S]\r\na=x\0y\r\nb=2\r\n", 17);
  testing::WriteFile(path, bytes);
  std::optional<ProfileFile> file = ProfileFile::Read(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->GetInt("S", "b", 0), 2);
  file->SetInt("S", "c", 3);
  ASSERT_TRUE(file->Write(path));
  EXPECT_EQ(testing::ReadFile(path), bytes + "c=3\r\n");
}

TEST(ProfileFileDisk, MissingFileIsEmptyAndUnwritableFolderFails) {
  testing::TempDir dir;
  const std::optional<ProfileFile> file = ProfileFile::Read(dir.File("x.INI"));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Bytes(), "");
  EXPECT_FALSE(file->Write(dir.File("missing/test.INI")));
}

TEST(ProfileFileDisk, UnreadableFileReadsAsNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
  testing::TempDir dir;
  testing::WriteFile(dir.File("test.INI"), "[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("test.INI").c_str(), 0), 0);
  EXPECT_FALSE(ProfileFile::Read(dir.File("test.INI")));
}

}  // namespace
}  // namespace quor
