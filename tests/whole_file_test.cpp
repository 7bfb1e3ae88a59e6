#include "settings/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace quor {
namespace {

TEST(WholeFile, ReadsFilesWhoseSizeIsUnknownOrChanging) {
  // Files of /proc claim a size of 0 but have contents.
  std::string bytes;
  ASSERT_EQ(ReadWholeFile("/proc/self/status", bytes, true), ReadStatus::kOk);
  EXPECT_EQ(bytes.rfind("Name:", 0), 0u);
}

TEST(WholeFile, EndlessZerosReadAsEmptyText) {
  std::string bytes = "old";
  ASSERT_EQ(ReadWholeFile("/dev/zero", bytes, true), ReadStatus::kOk);
  EXPECT_EQ(bytes, "");
}

TEST(WholeFile, KeepsZeroBytesWhenAsked) {
  testing::TempDir dir;
  const std::string data("a\0b", 3);
  testing::WriteFile(dir.File("z"), data);
  std::string bytes;
  ASSERT_EQ(ReadWholeFile(dir.File("z"), bytes, false), ReadStatus::kOk);
  EXPECT_EQ(bytes, data);
}

TEST(WholeFile, WritingCreatesMissingFilesAndFollowsDanglingLinks) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteWholeFile(dir.File("new.txt"), "neu"));
  EXPECT_EQ(testing::ReadFile(dir.File("new.txt")), "neu");
  // A dangling link is followed: the file it names is created.
  std::filesystem::create_symlink(dir.File("target.txt"), dir.File("link"));
  ASSERT_TRUE(WriteWholeFile(dir.File("link"), "x"));
  EXPECT_EQ(testing::ReadFile(dir.File("target.txt")), "x");
}

}  // namespace
}  // namespace quor
