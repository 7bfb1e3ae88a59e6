#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <string>

#include "desktop/desktop_messages.h"
#include "desktop/file_dialogs.h"
#include "desktop/main_window.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::TempDir;

// What a box looked like while it was open.
struct SeenBox {
  QString title;
  QString text;
  QStringList buttons;
  QString default_button;
  QWidget* owner = nullptr;
};

class MessageBoxesTest : public ::testing::Test {
 protected:
  MessageBoxesTest() : app_(ProgramPaths{}, messages_), window_(app_, none_) {
    window_.show();
  }

  // Notes each box that opens and closes it with `key`. The timers belong to
  // the window, so that one still waiting when the test ends goes with it.
  void AnswerWith(Qt::Key key) {
    QTimer::singleShot(0, &window_, [this, key] { Answer(key); });
  }

  void Answer(Qt::Key key) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    SeenBox seen{box->windowTitle(), box->text(), {}, {}, box->parentWidget()};
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons.push_back(button->text());
    }
    if (box->defaultButton() != nullptr) {
      seen.default_button = box->defaultButton()->text();
    }
    seen_.push_back(seen);
    QTest::keyClick(box, key);
    // A box shown after this one answers the same way.
    QTimer::singleShot(0, &window_, [this, key] { Answer(key); });
  }

  DesktopMessages messages_;
  Application app_;
  testing::FakeFileDialogs none_;
  MainWindow window_;
  std::vector<SeenBox> seen_;
};

TEST_F(MessageBoxesTest, QuestionsAreGermanAndEnterOrEscapeAnswerNo) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    seen_.clear();
    AnswerWith(key);
    EXPECT_FALSE(messages_.AskYesNo("Text überschreiben?", "Text im Speicher"));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].title, "Text im Speicher");
    QStringList buttons = seen_[0].buttons;
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"&Ja", "&Nein"}));
    EXPECT_EQ(seen_[0].default_button, "&Nein");
    EXPECT_EQ(seen_[0].owner, &window_);  // no task-bar entry of its own
  }
  // The save question has a third answer, which is its default and
  // Escape's.
  seen_.clear();
  AnswerWith(Qt::Key_Escape);
  EXPECT_EQ(messages_.AskYesNoCancel("Änderungen speichern?", "brief.txt*"),
            Answer::kCancel);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].buttons.size(), 3);
  EXPECT_EQ(seen_[0].default_button, "Abbrechen");
}

TEST_F(MessageBoxesTest, MessagesOfAGroupComeAsOneBoxWithTheirCounts) {
  AnswerWith(Qt::Key_Escape);
  messages_.Show("Eins.", "Hinweis!");  // outside a group: at once
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].buttons, QStringList{"OK"});
  seen_.clear();
  {
    const MessageGroup group(messages_);
    for (int i = 0; i < 12; ++i) {
      messages_.Show("Schriftartentabelle fehlerhaft.", "RTF-Error");
    }
    {
      const MessageGroup inner(messages_);
      messages_.Show("Bild übersprungen.", "RTF-Error");
    }
    EXPECT_TRUE(seen_.empty());  // not before the outer group ends
  }
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].title, "RTF-Error");
  EXPECT_EQ(seen_[0].text,
            "Schriftartentabelle fehlerhaft. (12×)\nBild übersprungen.");
  { const MessageGroup quiet(messages_); }
  EXPECT_EQ(seen_.size(), 1u);
}

TEST(FileDialogs, PatternsOfEitherCaseNoSuffixAndTheDocumentsPlace) {
  TempDir dir;
  const std::string document = dir.File("brief.txt");
  for (const bool save : {false, true}) {
    SCOPED_TRACE(save);
    const auto dialog = MakeFileDialog(nullptr, save, document);
    EXPECT_EQ(dialog->defaultSuffix(), "");
    EXPECT_EQ(dialog->directory().absolutePath(),
              QString::fromStdString(dir.path()));
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept),
              save ? "Speichern" : "Öffnen");
    EXPECT_EQ(dialog->labelText(QFileDialog::Reject), "Abbrechen");
    if (save) {
      EXPECT_TRUE(dialog->selectedFiles().value(0).endsWith("/brief.txt"));
    }
    const QStringList filters = dialog->nameFilters();
    ASSERT_EQ(filters.size(), 4);
    const std::pair<int, QStringList> kMatches[] = {
        {0, {"brief.txt", "BRIEF.TXT", "Brief.Txt"}},
        {1, {"seite.html", "SEITE.HTM"}},
        {2, {"text.rtf", "TEXT.RTF"}},
        {3, {"README", "a.b"}},
    };
    for (const auto& [filter, names] : kMatches) {
      // "Textdateien (*.txt *.TXT)": the patterns between the brackets.
      const QStringList patterns =
          filters[filter].section('(', 1).chopped(1).split(' ');
      for (const QString& name : names) {
        bool matched = false;
        for (const QString& pattern : patterns) {
          const QRegularExpression glob(
              QRegularExpression::wildcardToRegularExpression(pattern));
          matched = matched || glob.match(name).hasMatch();
        }
        EXPECT_TRUE(matched) << name.toStdString();
      }
    }
  }
  // Without a document the dialogs start at home.
  const auto dialog = MakeFileDialog(nullptr, false, "");
  EXPECT_EQ(dialog->directory().absolutePath(), QDir::homePath());
}

}  // namespace
}  // namespace quor
