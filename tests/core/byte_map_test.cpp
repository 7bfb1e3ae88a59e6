#include "core/filters/byte_map.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/app/application.h"
#include "core/app/command_line.h"
#include "random_text.h"
#include "test_support.h"

namespace quor {
namespace {

// A map that changes `changes` random bytes other than 0 to random non-zero
// bytes; 256 changes touch every row of the table.
ByteTable RandomTable(std::mt19937& rng, int changes) {
  ByteTable table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  std::uniform_int_distribution<int> byte(1, 255);
  for (int i = 0; i < changes; ++i) {
    table[byte(rng)] = static_cast<unsigned char>(byte(rng));
  }
  return table;
}

std::string Mapped(std::string text, const ByteTable& table) {
  for (char& c : text)
    c = static_cast<char>(table[static_cast<unsigned char>(c)]);
  return text;
}

// Both ways of mapping, on every alignment and length around the vector
// width, against the table looked up one byte at a time; and a composed map
// against its two maps in turn.
TEST(ByteMap, VectorAndPortableMapsMatchTheTable) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<std::size_t> length(0, 200);
  const int iterations = testing::DifferentialIterations(2000);
  for (int i = 0; i < iterations; ++i) {
    const ByteTable table = RandomTable(rng, i % 5 == 0 ? 256 : i % 7);
    std::string text(length(rng) + 32, ' ');
    for (char& c : text) c = static_cast<char>(byte(rng));
    const std::size_t start = static_cast<std::size_t>(i) % 32;
    const std::string expected = Mapped(text, table);

    std::string portable = text, vector = text, whole = text.substr(start);
    byte_map_detail::MapPortable(
        reinterpret_cast<unsigned char*>(portable.data()) + start,
        portable.size() - start, table);
    ASSERT_EQ(portable.substr(start), expected.substr(start));
    ASSERT_EQ(portable.substr(0, start), text.substr(0, start));
    if (byte_map_detail::HasVectorMap()) {
      byte_map_detail::MapVector(
          reinterpret_cast<unsigned char*>(vector.data()) + start,
          vector.size() - start, table);
      ASSERT_EQ(vector, portable) << "table " << i;
    }
    const ByteTable second = RandomTable(rng, 40);
    MapBytes(whole, ComposeByteMaps(table, second));
    ASSERT_EQ(whole, Mapped(expected.substr(start), second));
  }
}

// A batch run folds runs of byte-map options into one pass; a run that
// refreshes the view after every option does not. Both must end with the
// same text, whatever options are mixed in between.
TEST(ByteMap, FoldedBatchRunEqualsOneFilterAtATime) {
  const std::vector<std::string> options = {"-F1",   "-F2",   "-F5",   "-F102",
                                            "-F103", "-F201", "-F202", "-F204",
                                            "-F206", "-F208", "-F209", "-F214"};
  std::mt19937 rng(11);
  std::bernoulli_distribution pick(0.4);
  testing::RecordingMessages messages;
  for (int i = 0; i < testing::DifferentialIterations(300); ++i) {
    CommandLine command_line{.document = "-d:x", .options = ""};
    for (const std::string& option : options) {
      if (pick(rng)) command_line.options += option + " ";
    }
    CommandLine batch_line = command_line;
    batch_line.options += "-c";
    const std::string text = testing::RandomText(rng, 300);
    Application batch({}, messages), one_by_one({}, messages);
    batch.document = TextDocument{text};
    one_by_one.document = TextDocument{text};
    RunCommandLineOptions(batch, batch_line);
    RunCommandLineOptions(one_by_one, command_line);
    ASSERT_EQ(*batch.document.text, *one_by_one.document.text)
        << command_line.options << "\n"
        << testing::Escaped(text);
  }
}

}  // namespace
}  // namespace quor
