#include "core/app/document_history.h"

#include <gtest/gtest.h>

#include <string>

#include "core/app/window_title.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::RecordingMessages;

// A history over one document that a "filter" changes by appending.
class DocumentHistoryTest : public ::testing::Test {
 protected:
  void Change(const std::string& text,
              TextEncoding encoding = TextEncoding::kCp1252) {
    history_.Record(document_);
    document_.text = text;
    document_.encoding = encoding;
  }
  std::string Text() const { return document_.text.value_or("<none>"); }

  RecordingMessages messages_;
  TextDocument document_{std::string("0")};
  DocumentHistory history_;
};

TEST_F(DocumentHistoryTest, UndoAndRedoWalkEveryStepBothWays) {
  for (int i = 1; i <= 20; ++i) Change(std::to_string(i));
  EXPECT_EQ(history_.UndoSteps(), 20u);
  for (int i = 19; i >= 0; --i) {
    ASSERT_TRUE(history_.Undo(document_, messages_));
    EXPECT_EQ(Text(), std::to_string(i));
  }
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_FALSE(history_.Undo(document_, messages_));
  for (int i = 1; i <= 20; ++i) {
    ASSERT_TRUE(history_.Redo(document_, messages_));
    EXPECT_EQ(Text(), std::to_string(i));
  }
  EXPECT_FALSE(history_.Redo(document_, messages_));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(DocumentHistoryTest, ChangeAfterUndoDropsTheRedoSteps) {
  Change("a");
  Change("b");
  history_.Undo(document_, messages_);
  EXPECT_TRUE(history_.CanRedo());
  Change("c");
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_EQ(history_.HeldBytes(), 2);  // "0" and "a"
  history_.Undo(document_, messages_);
  EXPECT_EQ(Text(), "a");
}

TEST_F(DocumentHistoryTest, UndoBringsBackTheEncodingAndNoDocument) {
  TextDocument none;
  history_.Record(none);
  none.text = "eingefügt";
  none.encoding = TextEncoding::kUtf8;
  history_.Record(none);
  none.encoding = TextEncoding::kCp1252;
  ASSERT_TRUE(history_.Undo(none, messages_));
  EXPECT_EQ(none.encoding, TextEncoding::kUtf8);
  ASSERT_TRUE(history_.Undo(none, messages_));
  EXPECT_FALSE(none.HasText());
}

TEST_F(DocumentHistoryTest, OldestStepsGoBeyondTheCountOrTheByteCap) {
  struct Case {
    std::int64_t cap;
    std::size_t text_size;
    std::size_t expected_steps;
  };
  for (const Case c : {Case{kHistoryByteCap, 10, kMostUndoSteps},
                       Case{100, 30, 3}, Case{100, 10, 9}, Case{100, 500, 1}}) {
    DocumentHistory history(c.cap);
    TextDocument document;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
      for (int round = 0; round < 3; ++round) {
        document.text = std::string(c.text_size, letter) + char('0' + round);
        history.Record(document);
      }
    }
    EXPECT_EQ(history.UndoSteps(), c.expected_steps) << c.cap;
    EXPECT_EQ(history.HeldBytes(),
              static_cast<std::int64_t>(c.expected_steps * (c.text_size + 1)))
        << c.cap;
    // The newest steps are the ones that stay.
    ASSERT_TRUE(history.Undo(document, messages_));
    EXPECT_EQ(document.text, std::string(c.text_size, 'z') + "2");
  }
}

TEST_F(DocumentHistoryTest, ModifiedFollowsTheSavedStateThroughUndoAndRedo) {
  EXPECT_FALSE(history_.Modified(document_));
  Change("a");
  EXPECT_TRUE(history_.Modified(document_));
  history_.Undo(document_, messages_);
  EXPECT_FALSE(history_.Modified(document_));
  history_.Redo(document_, messages_);
  history_.MarkSaved();
  EXPECT_FALSE(history_.Modified(document_));
  history_.Undo(document_, messages_);
  EXPECT_TRUE(history_.Modified(document_));
  history_.Redo(document_, messages_);
  // A change that ends where the saved text is counts as none; another
  // encoding does not.
  Change("b");
  EXPECT_TRUE(history_.Modified(document_));
  Change("a");
  EXPECT_FALSE(history_.Modified(document_));
  Change("a", TextEncoding::kUtf8);
  EXPECT_TRUE(history_.Modified(document_));
  history_.Restart();
  EXPECT_FALSE(history_.Modified(document_));
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_EQ(history_.HeldBytes(), 0);
}

TEST_F(DocumentHistoryTest, SavedStateNoLongerKeptCountsAsModified) {
  DocumentHistory history(/*byte_cap=*/1);
  TextDocument document{std::string("gespeichert")};
  for (const char* text : {"x", "y", "gespeichert"}) {
    history.Record(document);
    document.text = text;
  }
  EXPECT_TRUE(history.Modified(document));
}

TEST_F(DocumentHistoryTest, AChangeThatChangedNothingIsNoStep) {
  Change("a");
  history_.MarkSaved();
  history_.Record(document_);
  history_.ForgetIfUnchanged(document_);
  EXPECT_EQ(history_.UndoSteps(), 1u);
  EXPECT_FALSE(history_.Modified(document_));
  history_.Record(document_);
  document_.text = "b";
  history_.ForgetIfUnchanged(document_);
  EXPECT_EQ(history_.UndoSteps(), 2u);
}

TEST(WindowTitle, NamesFileMarkAndEncoding) {
#define QUOR_NAME "Quor-Filter " QUOR_VERSION
  struct Case {
    const char* path;
    TextEncoding encoding;
    bool modified;
    const char* title;
  };
  for (const Case c : {
           Case{"", TextEncoding::kCp1252, false, QUOR_NAME},
           Case{"", TextEncoding::kUtf8, true, QUOR_NAME "* (UTF-8)"},
           Case{"/home/a/", TextEncoding::kCp1252, true, QUOR_NAME "*"},
           Case{"/home/a/brief.txt", TextEncoding::kCp1252, false,
                "brief.txt – " QUOR_NAME},
           Case{"brief.txt", TextEncoding::kUtf16Le, true,
                "brief.txt* – " QUOR_NAME " (UTF-16 LE)"},
       }) {
    EXPECT_EQ(
        WindowTitle(TextDocument{std::nullopt, c.encoding}, c.path, c.modified),
        c.title);
  }
#undef QUOR_NAME
}

}  // namespace
}  // namespace quor
