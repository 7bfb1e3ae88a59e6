// The progress line of long runs: what it draws, how often, and that it
// leaves nothing behind.

#include "core/app/progress_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

using std::chrono::milliseconds;
using Time = std::chrono::steady_clock::time_point;

class ProgressLineTest : public ::testing::Test {
 protected:
  ProgressLine Line(std::uint64_t files, std::uint64_t bytes,
                    bool terminal = true) {
    return ProgressLine(
        files, bytes, terminal,
        [this](std::string_view text) { written_.emplace_back(text); },
        [this] { return now_; });
  }

  Time now_{};
  std::vector<std::string> written_;
};

TEST_F(ProgressLineTest, ShortRunsAndOutputThatIsNoTerminalStaySilent) {
  ProgressLine quick = Line(10, 1000);
  now_ += milliseconds(400);
  quick.Update(10, 1000);
  quick.Finish();
  ProgressLine redirected = Line(10, 1000, /*terminal=*/false);
  now_ += milliseconds(5000);
  redirected.Update(5, 500);
  redirected.Finish();
  EXPECT_TRUE(written_.empty());
}

TEST_F(ProgressLineTest, ShowsFilesShareAndRateTenTimesASecondAtMost) {
  ProgressLine line = Line(2000, 8'000'000);
  now_ += milliseconds(500);
  line.Update(37, 1'000'000);  // 2 MB/s so far
  ASSERT_EQ(written_.size(), 1u);
  EXPECT_EQ(written_[0], "\r37/2000 Dateien (12 %), 2,0 MB/s");
  now_ += milliseconds(99);
  line.Update(40, 1'100'000);
  EXPECT_EQ(written_.size(), 1u) << "redrawn too soon";
  now_ += milliseconds(1);
  line.Update(41, 1'150'000);
  ASSERT_EQ(written_.size(), 2u);
  EXPECT_EQ(written_[1], "\r41/2000 Dateien (14 %), 1,9 MB/s");
}

TEST_F(ProgressLineTest, ShorterTextCoversTheLastAndFinishClearsTheLine) {
  ProgressLine line = Line(5, 0);
  now_ += milliseconds(1000);
  line.Update(1, 123'400'000);
  now_ += milliseconds(1000);
  line.Update(2, 123'400'000);
  line.Finish();
  ASSERT_EQ(written_.size(), 3u);
  EXPECT_EQ(written_[0], "\r1/5 Dateien (20 %), 123,4 MB/s");
  EXPECT_EQ(written_[1], "\r2/5 Dateien (40 %), 61,7 MB/s ");
  EXPECT_EQ(written_[2],
            "\r" + std::string(written_[1].size() - 2, ' ') + "\r");
}

}  // namespace
}  // namespace quor
