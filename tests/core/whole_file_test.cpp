#include "core/files/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A pipe would block the open or the read, and a device may never end or
// hold nothing a text could be saved back to. The read happens in a child
// that an alarm ends, so that a read that blocks fails instead of hanging.
TEST(WholeFile, OnlyRegularFilesAreRead) {
  testing::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  for (const std::string& path : {dir.File("fifo"), std::string("/dev/zero"),
                                  std::string("/dev/null"), dir.path()}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::alarm(10);
      std::string bytes = "old";
      const bool refused = ReadWholeFile(path, bytes, ZeroBytes::kKept) ==
                               ReadStatus::kCannotOpen &&
                           bytes == "old";
      ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << path << (WIFSIGNALED(status) ? ": blocked" : ": read");
  }
}

TEST(WholeFile, WritingThroughADanglingLinkCreatesTheFileItNames) {
  testing::TempDir dir;
  std::filesystem::create_symlink(dir.File("target.txt"), dir.File("link"));
  ASSERT_TRUE(WriteWholeFile(dir.File("link"), "x"));
  EXPECT_EQ(testing::ReadFile(dir.File("target.txt")), "x");
}

}  // namespace
}  // namespace quor
