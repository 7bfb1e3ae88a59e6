// The window never loses work: its title marks unsaved changes, undo and
// redo walk the history, and closing, "Ende", "Laden" and drops ask first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <memory>
#include <string>

#include "desktop/main_window.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::ReadFile;
using ::quor::testing::RecordingMessages;
using ::quor::testing::TempDir;
using ::quor::testing::WriteFile;

#define QUOR_NAME "Quor-Filter " QUOR_VERSION

// A window over "brief.txt" as loaded, with the line-end filters.
struct Session {
  Session() : app(testing::PathsIn(dir), messages) {
    app.settings.dos_to_unix = 1;
    window.emplace(app, dialogs);
    window->resize(600, 500);
    window->show();
    window->ShowButtons();
    WriteFile(path, "a\r\nb");
    dialogs.open_answer = path;
    Click(kCommandLoad);
    dialogs.opened = 0;
  }

  QPushButton* Button(int command_id) const {
    return window->findChild<QPushButton*>(
        QStringLiteral("command_%1").arg(command_id));
  }
  void Click(int command_id) const { Button(command_id)->click(); }
  std::string Title() const { return window->windowTitle().toStdString(); }
  std::string Text() const { return app.document.text.value_or("<none>"); }

  // Drags `data` onto the view and drops it there, and lets the window
  // take it.
  void Drop(const QMimeData& data) {
    QDragEnterEvent enter(QPoint(300, 100), Qt::CopyAction, &data,
                          Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->childAt(300, 100), &enter);
    QDropEvent drop(QPointF(300, 100), Qt::CopyAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(window->childAt(300, 100), &drop);
    QApplication::processEvents();
  }

  TempDir dir;
  std::string path = dir.File("brief.txt");
  RecordingMessages messages;
  testing::FakeFileDialogs dialogs;
  Application app;
  std::optional<MainWindow> window;
};

TEST(WindowHistory, TitleAndUndoFollowTheChangesUntilSaved) {
  Session s;
  EXPECT_EQ(s.Title(), "brief.txt – " QUOR_NAME);
  EXPECT_FALSE(s.Button(kCommandUndo)->isEnabled());
  s.Click(121);  // "Dos -> Unix"
  EXPECT_EQ(s.Title(), "brief.txt* – " QUOR_NAME);
  EXPECT_TRUE(s.Button(kCommandUndo)->isEnabled());
  EXPECT_EQ(s.app.view.display_lines, 2);  // laid out anew
  EXPECT_FALSE(s.window->busy());
  s.Click(121);  // changes nothing more: no step
  EXPECT_EQ(s.app.history.UndoSteps(), 1u);

  s.Click(kCommandUndo);
  EXPECT_EQ(s.Text(), "a\r\nb");
  EXPECT_EQ(s.Title(), "brief.txt – " QUOR_NAME);
  EXPECT_FALSE(s.Button(kCommandUndo)->isEnabled());
  s.window->Execute(kCommandRedo);
  EXPECT_EQ(s.Text(), "a\nb");
  EXPECT_EQ(s.Title(), "brief.txt* – " QUOR_NAME);

  s.dialogs.save_answer = s.path;
  s.Click(kCommandSave);
  EXPECT_EQ(ReadFile(s.path), "a\nb");
  EXPECT_EQ(s.Title(), "brief.txt – " QUOR_NAME);
  s.Click(kCommandUndo);
  EXPECT_EQ(s.Title(), "brief.txt* – " QUOR_NAME);
  EXPECT_TRUE(s.messages.shown.empty());
}

TEST(WindowHistory, UnsavedChangesAreSettledBeforeTheDocumentGoes) {
  struct Case {
    Answer answer;
    bool save_dialog_answers;
    bool goes;
    const char* file;
  };
  enum Action { kEnd, kCloseBox, kLoad };
  for (const Action action : {kEnd, kCloseBox, kLoad}) {
    for (const Case c : {Case{Answer::kCancel, true, false, "a\r\nb"},
                         Case{Answer::kNo, true, true, "a\r\nb"},
                         Case{Answer::kYes, true, true, "a\nb"},
                         Case{Answer::kYes, false, false, "a\r\nb"}}) {
      const std::string where =
          std::to_string(action) + " " + std::to_string(int(c.answer));
      Session s;
      s.Click(121);
      s.messages.three_way_answer = c.answer;
      if (c.save_dialog_answers) s.dialogs.save_answer = s.path;
      switch (action) {
        case kEnd:
          s.Click(kCommandEnd);
          break;
        case kCloseBox:
          s.window->close();
          break;
        case kLoad:
          s.Click(kCommandLoad);
          break;
      }
      const bool gone =
          action == kLoad ? s.dialogs.opened == 1 : !s.window->isVisible();
      EXPECT_EQ(gone, c.goes) << where;
      EXPECT_EQ(ReadFile(s.path), c.file) << where;
      // A save over the file asks about that as well.
      ASSERT_GE(s.messages.asked.size(), 1u) << where;
      EXPECT_EQ(s.messages.asked[0].first, "brief.txt* – " QUOR_NAME) << where;
      EXPECT_EQ(s.messages.asked[0].second, "Änderungen speichern?") << where;
    }
  }
}

TEST(WindowHistory, DroppedFileLoadsAfterTheQuestionAndDroppedTextPastes) {
  Session s;
  s.Click(121);
  const std::string other = s.dir.File("anderer brief.txt");
  WriteFile(other, "Inhalt");
  s.messages.three_way_answer = Answer::kNo;
  QMimeData file;
  file.setUrls({QUrl(QStringLiteral("https://example.org/x")),
                QUrl::fromLocalFile(QString::fromStdString(other))});
  s.Drop(file);
  EXPECT_EQ(s.Text(), "Inhalt");
  EXPECT_EQ(s.Title(), "anderer brief.txt – " QUOR_NAME);
  ASSERT_EQ(s.messages.asked.size(), 1u);

  // Text asks as "Einfügen" does, and the paste is a step of its own.
  QMimeData text;
  text.setText(QString::fromUtf8("x→y😀"));
  s.Drop(text);
  EXPECT_EQ(s.Text(), "x?y?");
  EXPECT_EQ(s.Title(), "anderer brief.txt* – " QUOR_NAME);
  ASSERT_EQ(s.messages.asked.size(), 2u);
  EXPECT_EQ(s.messages.asked[1].second, "Text überschreiben?");
  EXPECT_EQ(s.messages.shown,
            (std::vector<std::pair<std::string, std::string>>{
                {"Hinweis!",
                 "2 Zeichen ohne Entsprechung in Windows-1252 wurden durch ? "
                 "ersetzt."}}));
  s.Click(kCommandUndo);
  EXPECT_EQ(s.Text(), "Inhalt");
}

}  // namespace
}  // namespace quor
