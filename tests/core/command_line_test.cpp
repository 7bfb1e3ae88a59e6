#include "core/app/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/document_file.h"
#include "test_support.h"

namespace quor {
namespace {

struct OptionsCase {
  std::string command_line;
  std::string options;
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
  *os << testing::Escaped(c.command_line);
}

class OptionsPartCases : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsPartCases, LeavesOutThePath) {
  EXPECT_EQ(OptionsPart(GetParam().command_line), GetParam().options);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsPartCases,
    ::testing::Values(
        OptionsCase{"-F3 -d:\"/my-cv/x-f2.txt\" -c", "-F3   -c"},
        OptionsCase{"-D:\"-c\"", " "},
        // The two sides never make an option together.
        OptionsCase{"-F2-d:\"x\"08", "-F2 08"},
        // Without a closing quote the rest is path; without -d: all is.
        OptionsCase{"-F5 -d:\"a -c", "-F5 "}, OptionsCase{"-F5 -d:", "-F5 "},
        OptionsCase{"/home/u/my-cv/brief.txt", ""}));

TEST(CommandLine, OptionsAreMatchedInTheOptionsPartOnly) {
  EXPECT_TRUE(CommandLineHas("-d:\"a.txt\" -f208", "-F2"));
  EXPECT_TRUE(CommandLineHas("-d:\"a.txt\" -COPY", "-c"));
  EXPECT_FALSE(CommandLineHas("-d:\"my-cv/a.txt\" -F5", "-c"));
  EXPECT_FALSE(CommandLineHas("Ordner-F2024/brief.txt", "-F2"));
}

}  // namespace
}  // namespace quor
