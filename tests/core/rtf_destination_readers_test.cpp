#include "core/rtf/destination_readers.h"

#include <gtest/gtest.h>

#include "core/rtf/control_words.h"
#include "test_support.h"

namespace quor {
namespace {

using Texts = std::vector<std::string>;

// Reads the source up to its first destination word and hands that word to
// the destination readers.
class Destination {
 public:
  explicit Destination(std::string source)
      : source_(std::move(source)), reader_(source_), readers_(reader_, log_) {
    while (reader_.NextToken() != TokenClass::kEnd) {
      if (reader_.token().Is(TokenClass::kControl, kRtfDestination)) {
        read_ = readers_.ReadDestination(reader_.token().minor);
        return;
      }
    }
  }

  bool read() const { return read_; }
  const RtfDestinationReaders& readers() const { return readers_; }
  RtfTokenReader& reader() { return reader_; }

  Texts Messages() const {
    Texts texts;
    for (const auto& [caption, text] : log_.shown) {
      EXPECT_EQ(caption, "RTF-Error");
      texts.push_back(text);
    }
    return texts;
  }

 private:
  std::string source_;
  testing::RecordingMessages log_;
  RtfTokenReader reader_;
  RtfDestinationReaders readers_;
  bool read_ = false;
};

TEST(ReadFontTable, ReadsBracedAndUnbracedTables) {
  for (const char* source :
       {"{\\fonttbl\\f0\\froman Times;\\f1\\fswiss Arial;}",
        "{\\fonttbl{\\f0\\froman Times;}\r\n"
        "{\\f1\\fswiss Arial;}}"}) {
    Destination table(source);
    ASSERT_TRUE(table.read());
    EXPECT_EQ(table.Messages(), Texts{}) << source;
    const auto& fonts = table.readers().fonts();
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].number, 0);
    EXPECT_EQ(fonts[0].family, 1);
    EXPECT_EQ(fonts[0].name, "Times");
    EXPECT_EQ(fonts[1].number, 1);
    EXPECT_EQ(fonts[1].family, 2);
    EXPECT_EQ(fonts[1].name, "Arial");
    EXPECT_EQ(table.reader().NextToken(), TokenClass::kEnd);
  }
}

TEST(ReadFontTable, MalformedEntriesKeepWhatTheTokensHeld) {
  Destination table("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}");
  const auto& fonts = table.readers().fonts();
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(fonts[0].name, "");
  // No number word and no family word: the parameter says none, and the
  // family is the code of the last recognised word, fnil.
  EXPECT_EQ(fonts[1].number, kNoParameter);
  EXPECT_EQ(fonts[1].family, 0);
  EXPECT_EQ(fonts[1].name, "l");
}

TEST(ReadFontTable, NamesHoldAnyByteUpTo1023) {
  Destination zero("{\\fonttbl\\f0\\fnil \\'00\\'zz\xE4;}");
  EXPECT_EQ(zero.readers().fonts().at(0).name,
            std::string("\0\x53\xE4", 3));  // 595 keeps its low 8 bits
  EXPECT_EQ(zero.Messages(), Texts{});
  Destination long_name("{\\fonttbl\\f0\\fnil " + std::string(3000, 'n') +
                        ";}");
  EXPECT_EQ(long_name.readers().fonts().at(0).name, std::string(1023, 'n'));
}

std::vector<std::int64_t> Fields(const ColorEntry& color) {
  return {color.index, color.red, color.green, color.blue};
}

TEST(ReadColorTable, EntriesCountFromTheEmptyFirstOne) {
  Destination table("{\\colortbl;\\red255\\green0\\blue0;\\blue9;}");
  EXPECT_EQ(table.Messages(), Texts{});
  const auto& colors = table.readers().colors();
  ASSERT_EQ(colors.size(), 3u);
  EXPECT_EQ(Fields(colors[0]), (std::vector<std::int64_t>{0, -1, -1, -1}));
  EXPECT_EQ(Fields(colors[1]), (std::vector<std::int64_t>{1, 255, 0, 0}));
  EXPECT_EQ(Fields(colors[2]), (std::vector<std::int64_t>{2, -1, -1, 9}));
}

TEST(ReadStyleSheet, ReadsNumbersLinksAttributesAndNames) {
  Destination sheet(
      "{\\stylesheet{\\s1\\qc Heading;}{Normal;}"
      "{\\s2\\sbasedon1\\snext0\\fs28\\~ Title;}}");
  EXPECT_EQ(sheet.Messages(), Texts{});
  const auto& styles = sheet.readers().styles();
  ASSERT_EQ(styles.size(), 3u);
  EXPECT_EQ(styles[0].name, "Heading");
  EXPECT_EQ(styles[0].number, 1);
  EXPECT_EQ(styles[0].next, 1);  // none given: the style itself
  EXPECT_EQ(styles[0].based_on, 222);
  ASSERT_EQ(styles[0].attributes.size(), 1u);
  EXPECT_EQ(styles[0].attributes[0].text, "\\qc");
  EXPECT_EQ(styles[1].name, "Normal");
  EXPECT_EQ(styles[1].number, 0);
  EXPECT_EQ(styles[1].next, -1);  // taken before the number defaulted
  EXPECT_EQ(styles[2].based_on, 1);
  EXPECT_EQ(styles[2].next, 0);
  ASSERT_EQ(styles[2].attributes.size(), 2u);
  EXPECT_EQ(styles[2].attributes[0].minor, 10);
  EXPECT_EQ(styles[2].attributes[0].parameter, 28);
  EXPECT_EQ(styles[2].attributes[0].text, "\\fs28");
  EXPECT_EQ(styles[2].attributes[1].text, "\\~");
}

TEST(ReadStyleSheet, NamesAreWholeByteStrings) {
  Destination sheet("{\\stylesheet{Normal\\'00;}{\\s1 a\\'3bb;}}");
  EXPECT_EQ(sheet.Messages(),
            (Texts{"SSErr - missing style number", "SSErr - missing \"}\"",
                   "SSErr - missing \"{\"", "SSErr - missing style name",
                   "SSErr - missing style number"}));
  EXPECT_EQ(sheet.readers().styles().at(0).name, std::string("Normal\0", 7));
  EXPECT_EQ(sheet.readers().styles().at(1).name, "a");
}

}  // namespace
}  // namespace quor
