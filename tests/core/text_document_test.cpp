#include "core/filters/text_document.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quor {
namespace {

TEST(UndoCopy, RestoresTheSameTextAgainAndAgain) {
  testing::RecordingMessages messages;
  TextDocument document{std::string("before")};
  UndoCopy undo;
  TakeUndoCopy(document, undo);
  document.text = "after the filter";
  EXPECT_TRUE(RestoreUndoCopy(undo, document, messages));
  EXPECT_EQ(*document.text, "before");
  document.text = "changed again";
  EXPECT_TRUE(RestoreUndoCopy(undo, document, messages));
  EXPECT_EQ(*document.text, "before");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(UndoCopy, DoesNothingWithoutCopyOrDocument) {
  testing::RecordingMessages messages;
  TextDocument document{std::string("text")};
  UndoCopy undo;
  EXPECT_FALSE(RestoreUndoCopy(undo, document, messages));
  EXPECT_EQ(*document.text, "text");

  TextDocument none;
  TakeUndoCopy(none, undo);
  EXPECT_FALSE(undo.text.has_value());
  undo.text = "copy";
  EXPECT_FALSE(RestoreUndoCopy(undo, none, messages));
  EXPECT_FALSE(none.HasText());
}

}  // namespace
}  // namespace quor
