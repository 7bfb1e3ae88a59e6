#include "core/app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/document_file.h"
#include "test_support.h"

namespace quor {
namespace {

CommandLine Split(const std::vector<const char*>& arguments) {
  return SplitArguments(arguments);
}

struct SplitCase {
  std::vector<const char*> arguments;
  std::string document;
  std::string options;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
  for (const char* argument : c.arguments) {
    *os << '[' << testing::Escaped(argument) << ']';
  }
}

class SplitArgumentsCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsCases, KeepsTheDocumentArgumentApart) {
  const CommandLine command_line = Split(GetParam().arguments);
  EXPECT_EQ(command_line.document, GetParam().document);
  EXPECT_EQ(command_line.options, GetParam().options);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsCases,
    ::testing::Values(
        SplitCase{{"-F3", "-d:/my-cv/x-f2.txt", "-c"},
                  "-d:/my-cv/x-f2.txt",
                  "-F3 -c"},
        // Quotes in the path do not end it, and the first "-d:" argument
        // names the document.
        SplitCase{
            {"-d:dq\"name.txt", "-F208", "-c"}, "-d:dq\"name.txt", "-F208 -c"},
        SplitCase{{"-D:\"-c", "-d:b"}, "-D:\"-c", "-d:b"},
        // The arguments around the path never make an option together.
        SplitCase{{"-F2", "-d:x", "08"}, "-d:x", "-F2 08"},
        // "-d:" counts only where an argument begins; without such an
        // argument everything is one path, the shell's blanks included.
        SplitCase{{"x-d:\"a\"", "-c"}, "x-d:\"a\" -c", ""},
        SplitCase{{"/home/u/my", "letter.txt"}, "/home/u/my letter.txt", ""},
        SplitCase{{}, "", ""}));

TEST(CommandLine, OptionsAreMatchedOutsideTheDocumentArgumentOnly) {
  EXPECT_TRUE(CommandLineHas(Split({"-d:a.txt", "-f208"}), "-F2"));
  EXPECT_TRUE(CommandLineHas(Split({"-d:a.txt", "-COPY"}), "-c"));
  EXPECT_FALSE(CommandLineHas(Split({"-d:my-cv/a.txt", "-F5"}), "-c"));
  EXPECT_FALSE(CommandLineHas(Split({"-d:\"a -c", "-F5"}), "-c"));
  EXPECT_FALSE(CommandLineHas(Split({"Ordner-F2024/brief.txt"}), "-F2"));
}

}  // namespace
}  // namespace quor
