#include "core/app/message_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quor {
namespace {

TEST(MessageSummary, EachDistinctMessageOnceWithItsCount) {
  using Shown = std::vector<std::pair<std::string, std::string>>;
  const struct {
    Shown shown;  // caption, text
    std::string caption;
    std::string text;
  } kCases[] = {
      {{}, "", ""},
      // A single message reads as it was shown.
      {{{"Fehler!", "Kann Datei nicht öffnen."}},
       "Fehler!",
       "Kann Datei nicht öffnen."},
      {{{"RTF-Error", "A."},
        {"RTF-Error", "B."},
        {"RTF-Error", "A."},
        {"RTF-Error", "A."}},
       "RTF-Error",
       "A. (3×)\nB."},
      // The same text under another caption is another message.
      {{{"Hinweis!", "A."}, {"Warnung!", "A."}}, "Hinweis!", "A.\nA."},
  };
  for (const auto& c : kCases) {
    MessageSummary summary;
    for (const auto& [caption, text] : c.shown) summary.Add(text, caption);
    EXPECT_EQ(summary.empty(), c.shown.empty());
    EXPECT_EQ(summary.Caption(), c.caption);
    EXPECT_EQ(summary.Text(), c.text);
    summary.Clear();
    EXPECT_TRUE(summary.empty());
  }
}

}  // namespace
}  // namespace quor
