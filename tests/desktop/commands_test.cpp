#include "desktop/commands.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <string>

#include "desktop/main_window.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::FileExists;
using ::quor::testing::ReadFile;
using ::quor::testing::RecordingMessages;
using ::quor::testing::TempDir;
using ::quor::testing::WriteFile;

// Notes for each message whether the busy box was up while it was shown.
class BusyWatchingMessages : public RecordingMessages {
 public:
  void Show(std::string_view text, std::string_view caption) override {
    RecordingMessages::Show(text, caption);
    busy_while_shown = window != nullptr && window->busy();
  }

  const MainWindow* window = nullptr;
  bool busy_while_shown = false;
};

class CommandsTest : public ::testing::Test {
 protected:
  CommandsTest() : app_(testing::PathsIn(dir_), messages_) {
    app_.settings.dos_to_unix = 1;
    app_.settings.x_same_chars = 1;
    window_.emplace(app_, dialogs_);
    messages_.window = &*window_;
    window_->resize(600, 500);
    window_->show();
    window_->ShowButtons();
  }

  void Click(int command_id) {
    QPushButton* button = window_->findChild<QPushButton*>(
        QStringLiteral("command_%1").arg(command_id));
    ASSERT_NE(button, nullptr) << command_id;
    button->click();
  }

  std::string Text() const { return app_.document.text.value_or("<none>"); }

  TempDir dir_;
  BusyWatchingMessages messages_;
  testing::FakeFileDialogs dialogs_;
  Application app_;
  std::optional<MainWindow> window_;
};

TEST_F(CommandsTest, FilterAndUndoWithoutDocumentDoNothing) {
  Click(121);
  Click(kCommandUndo);
  EXPECT_FALSE(app_.document.HasText());
  EXPECT_FALSE(app_.history.CanUndo());
  EXPECT_EQ(window_->findChild<QWidget*>("busy_window"), nullptr);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CommandsTest, RefusedRepeatedCharactersWarnUnderTheBusyBoxOnly) {
  app_.settings.same_chars_length = 1;
  app_.document.text = "aa bb c";
  Click(118);  // "X gleiche Zeichen"
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].first, "Warnung!");
  EXPECT_EQ(messages_.shown[0].second, "Zeichenlänge 1 nicht zugelassen");
  EXPECT_TRUE(messages_.busy_while_shown);
  EXPECT_EQ(Text(), "aa bb c");
  EXPECT_FALSE(app_.history.CanUndo());
  EXPECT_FALSE(window_->busy());
  EXPECT_EQ(window_->findChild<QWidget*>("busy_window"), nullptr);
}

TEST_F(CommandsTest, LoadAsksOnlyOverAnExistingDocument) {
  const std::string path = dir_.File("brief.txt");
  WriteFile(path, "neu\r\n");
  dialogs_.AnswerBoth(path);
  Click(kCommandLoad);
  EXPECT_TRUE(messages_.asked.empty());
  EXPECT_EQ(Text(), "neu\r\n");
  EXPECT_EQ(app_.document_path, path);

  WriteFile(path, "neuer");
  messages_.answer = false;
  Click(kCommandLoad);
  ASSERT_EQ(messages_.asked.size(), 1u);
  EXPECT_EQ(messages_.asked[0].first, "Es ist ein Text im Speicher!");
  EXPECT_EQ(messages_.asked[0].second, "Text überschreiben?");
  EXPECT_EQ(dialogs_.opened, 1);
  EXPECT_EQ(Text(), "neu\r\n");

  messages_.answer = true;
  Click(kCommandLoad);
  EXPECT_EQ(dialogs_.opened, 2);
  EXPECT_EQ(Text(), "neuer");
  EXPECT_EQ(app_.view.first_line, 0);

  dialogs_.AnswerBoth(std::nullopt);
  Click(kCommandLoad);
  EXPECT_EQ(Text(), "neuer");
  EXPECT_EQ(app_.document_path, path);
}

TEST_F(CommandsTest, LoadTakesPathsWithQuotesAndMarkersAsTheyAre) {
  for (const char* name : {"a\"b.txt", "x-D:y.txt", "-d:\"q.txt", "-d:\""}) {
    const std::string path = dir_.File(name);
    WriteFile(path, name);
    dialogs_.AnswerBoth(path);
    Click(kCommandLoad);
    EXPECT_EQ(Text(), name);
    EXPECT_EQ(app_.document_path, path);
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CommandsTest, Utf8FileIsShownFilteredAndSavedAsUtf8) {
  const std::string path = dir_.File("brief.txt");
  WriteFile(path,
            "Gr\xC3\xB6\xC3\x9F"
            "e");
  dialogs_.AnswerBoth(path);
  Click(kCommandLoad);
  EXPECT_EQ(Text(),
            "Gr\xF6\xDF"
            "e");
  EXPECT_EQ(window_->windowTitle(),
            "brief.txt – Quor-Filter " QUOR_VERSION " (UTF-8)");
  app_.settings.upper_case = 1;
  app_.settings.ansi_to_oem = 1;
  window_->RebuildButtonColumn();
  window_->ShowButtons();
  Click(104);  // "Großbuchstaben"
  EXPECT_EQ(window_->windowTitle(),
            "brief.txt* – Quor-Filter " QUOR_VERSION " (UTF-8)");
  Click(kCommandSave);
  EXPECT_EQ(ReadFile(path),
            "GR\xC3\x96\xC3\x9F"
            "E");
  EXPECT_EQ(window_->windowTitle(),
            "brief.txt – Quor-Filter " QUOR_VERSION " (UTF-8)");
  Click(107);  // "Ansi -> OEM": code-page bytes from now on
  EXPECT_EQ(window_->windowTitle(), "brief.txt* – Quor-Filter " QUOR_VERSION);
}

TEST_F(CommandsTest, SaveNeedsADocumentAndAsksBeforeReplacingAFile) {
  Click(kCommandSave);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0],
            std::make_pair(std::string("Fehler!"),
                           std::string("Kein Text im Speicher.")));
  EXPECT_EQ(dialogs_.saved, 0);

  app_.document.text = "Text";
  app_.document_path = dir_.File("quelle.txt");
  const std::string path = dir_.File("ziel.txt");
  dialogs_.AnswerBoth(path);
  Click(kCommandSave);
  EXPECT_TRUE(messages_.asked.empty());
  EXPECT_EQ(ReadFile(path), "Text");

  app_.document.text = "Neu";
  messages_.answer = false;
  Click(kCommandSave);
  ASSERT_EQ(messages_.asked.size(), 1u);
  EXPECT_EQ(messages_.asked[0].first, "Datei schon vorhanden!");
  EXPECT_EQ(messages_.asked[0].second, "Datei überschreiben?");
  EXPECT_EQ(ReadFile(path), "Text");

  messages_.answer = true;
  Click(kCommandSave);
  EXPECT_EQ(ReadFile(path), "Neu");
  EXPECT_EQ(app_.document_path, dir_.File("quelle.txt"));

  dialogs_.AnswerBoth(std::nullopt);
  Click(kCommandSave);
  EXPECT_EQ(messages_.asked.size(), 2u);
  EXPECT_FALSE(FileExists(dir_.File("quelle.txt")));
}

}  // namespace
}  // namespace quor
