#include "core/files/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace quor {
namespace {

TEST(WholeFile, ReadsFilesWhoseSizeIsUnknownOrChanging) {
  // Files of /proc claim a size of 0 but have contents.
  std::string bytes;
  ASSERT_EQ(ReadWholeFile("/proc/self/status", bytes, ZeroBytes::kRefused),
            ReadStatus::kOk);
  EXPECT_EQ(bytes.rfind("Name:", 0), 0u);
}

TEST(WholeFile, EndlessZerosAreRefusedAtOnce) {
  std::string bytes = "old";
  ASSERT_EQ(ReadWholeFile("/dev/zero", bytes, ZeroBytes::kRefused),
            ReadStatus::kHoldsZero);
  EXPECT_EQ(bytes, "old");
}

TEST(WholeFile, WritingThroughADanglingLinkCreatesTheFileItNames) {
  testing::TempDir dir;
  std::filesystem::create_symlink(dir.File("target.txt"), dir.File("link"));
  ASSERT_TRUE(WriteWholeFile(dir.File("link"), "x"));
  EXPECT_EQ(testing::ReadFile(dir.File("target.txt")), "x");
}

}  // namespace
}  // namespace quor
