#include "core/filters/replace_all.h"

#include <gtest/gtest.h>

#include <random>

#include "core/filters/line_endings.h"
#include "random_text.h"
#include "reference/replace_reference.h"
#include "test_support.h"

namespace quor {
namespace {

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
  const struct {
    const char* text;
    const char* search;
    const char* replacement;
    const char* expected;
  } cases[] = {{"aaa", "aa", "b", "ba"},
               {"aa", "a", "aa", "aaaa"},
               {"text Text", "TEXT", "x", "x x"},
               {"abc", "", "x", "abc"},
               // Halves joined by a replacement stay as they are.
               {"aXbb", "Xb", "a", "aab"}};
  testing::RecordingMessages messages;
  for (const auto& c : cases) {
    TextDocument document{std::string(c.text)};
    ReplaceAll(document, c.search, c.replacement, messages);
    EXPECT_EQ(*document.text, c.expected) << c.text;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ReplaceAll, LeavesTextWithoutMatchInItsOwnBuffer) {
  testing::RecordingMessages messages;
  TextDocument document{std::string("nothing to see here, long enough")};
  const char* before = document.text->data();
  ReplaceAll(document, "zzz", "y", messages);
  EXPECT_EQ(document.text->data(), before);
}

TEST(ReplaceAll, AgreesWithPlainLoopOnRandomText) {
  std::mt19937 rng(4711);
  const int iterations = testing::DifferentialIterations(3000);
  testing::RecordingMessages messages;
  for (int i = 0; i < iterations; ++i) {
    const std::string text = testing::RandomText(rng, 300);
    const std::string search = testing::RandomText(rng, 3);
    const std::string replacement = testing::RandomText(rng, 5);
    TextDocument document{text};
    ReplaceAll(document, search, replacement, messages);
    ASSERT_EQ(*document.text, reference::ReplaceAll(text, search, replacement))
        << "text " << testing::Escaped(text) << " search "
        << testing::Escaped(search);
  }
}

TEST(LineEndings, ReplaceBlindly) {
  const struct {
    void (*convert)(TextDocument&, Messages&);
    const char* text;
    const char* expected;
  } cases[] = {{DosToMac, "a\r\nb\nc\r", "a\rb\nc\r"},
               {MacToDos, "a\r\nb\rc", "a\r\n\nb\r\nc"},
               {DosToUnix, "a\r\n\r\nb\r", "a\n\nb\r"},
               {UnixToDos, "a\nb\r\n", "a\r\nb\r\r\n"}};
  testing::RecordingMessages messages;
  for (const auto& c : cases) {
    TextDocument document{std::string(c.text)};
    c.convert(document, messages);
    EXPECT_EQ(*document.text, c.expected) << testing::Escaped(c.text);
  }
}

}  // namespace
}  // namespace quor
