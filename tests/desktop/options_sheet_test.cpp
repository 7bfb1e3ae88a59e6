#include "desktop/options_sheet.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include "core/settings/profile_file.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;

class OptionsSheetTest : public ::testing::Test {
 protected:
  OptionsSheetTest() {
    app_.paths = {dir_.File("q.INI"), dir_.File("FILTER.TXT"),
                  dir_.File("REPLACE.TXT")};
  }

  // Opens the sheet as the main window does; the close steps note what the
  // settings file held at that moment.
  QDialog* Open() {
    OpenOptions(app_, &main_window_, [this] {
      ++closed_;
      file_at_close_ = ReadFile(app_.paths.settings_file);
    });
    return sheet_ = main_window_.findChild<QDialog*>("options");
  }
  template <typename T = QLineEdit>
  T* Find(const char* name) {
    T* widget = sheet_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Click(const char* box) { Find<QCheckBox>(box)->click(); }
  bool Checked(const char* box) { return Find<QCheckBox>(box)->isChecked(); }
  void ShowPage(int index) {
    sheet_->findChild<QTabWidget*>()->setCurrentIndex(index);
  }
  void Press(QDialogButtonBox::StandardButton button) {
    sheet_->findChild<QDialogButtonBox*>()->button(button)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::int32_t Saved(std::string_view section, std::string_view key) {
    return ProfileFile(ReadFile(app_.paths.settings_file))
        .GetInt(section, key, -999);
  }

  testing::TempDir dir_;
  testing::RecordingMessages messages_;
  Application app_{{}, messages_};
  QWidget main_window_;
  QPointer<QDialog> sheet_;
  int closed_ = 0;
  std::string file_at_close_;
};

TEST_F(OptionsSheetTest, OkTakesOverTheShownPageThenClosesAndSaves) {
  Open();
  EXPECT_FALSE(sheet_->isModal());
  EXPECT_EQ(sheet_->findChild<QTabWidget*>()->tabText(4), "Support");
  EXPECT_EQ(Find("edit216")->text(), ",");
  Click("box2001");
  EXPECT_EQ(app_.settings.wrap_view, 1);  // at once
  Find("edit2002")->setText("30");
  EXPECT_EQ(app_.settings.font_size, 24);  // not before the page is left
  Press(QDialogButtonBox::Ok);

  EXPECT_EQ(closed_, 1);
  EXPECT_EQ(sheet_, nullptr);
  EXPECT_EQ(file_at_close_, "");  // the main window's steps come first
  EXPECT_EQ(Saved("Allgemein", "Umbrechen"), 1);
  EXPECT_EQ(Saved("Allgemein", "Zeichengroesse"), 30);
  // Pages never shown take no part: their empty edits would have given 0.
  EXPECT_EQ(Saved("Filter", "Umbruch Zeichen"), 70);
}

TEST_F(OptionsSheetTest, CancelReloadsEveryChangedPageFromTheFile) {
  testing::WriteFile(app_.paths.settings_file,
                     "[Allgemein]\nZeichengroesse=40\n"
                     "[Filter]\nSubstantive=0\nWortL\xE4nge=5\n");
  LoadSettings(app_.paths.settings_file, app_.settings, app_.messages);
  Open();
  Click("box2001");
  Find("edit2002")->setText("12");
  ShowPage(1);
  EXPECT_EQ(app_.settings.font_size, 12);  // taken over on leaving
  Click("box200");
  ShowPage(2);
  Find("edit2003")->setText("9");
  ShowPage(0);
  EXPECT_EQ(app_.settings.min_word_length, 9);
  EXPECT_EQ(Find("edit2002")->text(), "12");  // not filled again
  Press(QDialogButtonBox::Cancel);

  EXPECT_EQ(closed_, 1);
  EXPECT_EQ(app_.settings.wrap_view, 0);
  EXPECT_EQ(app_.settings.nouns, 0);
  EXPECT_EQ(Saved("Allgemein", "Zeichengroesse"), 40);
  EXPECT_EQ(Saved("Filter", "WortL\xE4nge"), 5);
  EXPECT_EQ(Saved("Filter", "Woerter"), 1);  // the whole record written
}

TEST_F(OptionsSheetTest, BoxesFlipTheLowestBitAndWordListsNeedTheirFile) {
  testing::WriteFile(app_.paths.replace_list, "a\nb\n");
  app_.settings.nouns = 2;
  app_.settings.replace = 0;
  Open();
  ShowPage(1);
  EXPECT_TRUE(Checked("box200"));
  Click("box200");
  EXPECT_EQ(app_.settings.nouns, 3);  // still on
  Click("box214");                    // FILTER.TXT is missing
  EXPECT_EQ(app_.settings.exclude, 0);
  EXPECT_FALSE(Checked("box214"));
  EXPECT_TRUE(messages_.shown.empty());  // it was on: taking it off is fine
  Click("box214");
  EXPECT_EQ(app_.settings.exclude, 0);
  // Refused, and the refusal says why and where the list is looked for.
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].first, "Hinweis!");
  EXPECT_NE(messages_.shown[0].second.find("FILTER.TXT"), std::string::npos);
  EXPECT_NE(messages_.shown[0].second.find(dir_.path()), std::string::npos);
  Click("box215");
  EXPECT_EQ(app_.settings.replace, 1);
  EXPECT_TRUE(Checked("box215"));
  Press(QDialogButtonBox::Ok);
  EXPECT_EQ(Saved("Filter", "Substantive"), 3);
  EXPECT_EQ(Saved("Filter", "Exclude"), 0);
}

TEST_F(OptionsSheetTest, ModernReadersBoxIsBoundToItsSetting) {
  testing::WriteFile(app_.paths.settings_file, "[Filter]\nModerne Leser=4\n");
  LoadSettings(app_.paths.settings_file, app_.settings, app_.messages);
  Open();
  ShowPage(2);
  EXPECT_TRUE(Checked("box220"));
  EXPECT_EQ(Find<QCheckBox>("box220")->text(), "Moderne Leser");
  Click("box220");
  EXPECT_EQ(app_.settings.modern_readers, 5);  // still on
  Click("box220");
  Press(QDialogButtonBox::Ok);
  EXPECT_EQ(Saved("Filter", "Moderne Leser"), 4);
}

TEST_F(OptionsSheetTest, EditsConvertNumbersAndTheSeparator) {
  app_.settings.font_size = -1;
  app_.settings.separator = "\xE4; ";
  Open();
  EXPECT_EQ(Find("edit2002")->text(), "4294967295");
  EXPECT_EQ(Find("edit216")->text(), "ä; ");
  Find("edit216")->setText("ÄÖÜ45678901234567890123");
  ShowPage(2);
  EXPECT_EQ(app_.settings.font_size, -1);
  EXPECT_EQ(app_.settings.separator,
            "\xC4\xD6\xDC"
            "4567890123456789");
  Find("edit2004")->setText("abc");
  Find("edit2003")->setText("  7x");
  Find("edit102")->setText("4294967296");
  Press(QDialogButtonBox::Ok);
  EXPECT_EQ(app_.settings.same_chars_length, 0);
  EXPECT_EQ(app_.settings.min_word_length, 7);
  EXPECT_EQ(app_.settings.wrap_width, 0);
}

// Measured with whatever font the machine has: every label and box shows its
// whole text, and no two controls of a page overlap.
TEST_F(OptionsSheetTest, EveryTextFitsItsControl) {
  Open();
  for (int page = 0; page < 3; ++page) {
    ShowPage(page);
    QWidget* shown = sheet_->findChild<QTabWidget*>()->currentWidget();
    const QList<QWidget*> controls =
        shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* control : controls) {
      SCOPED_TRACE(control->objectName().toStdString());
      QString text;
      if (const auto* label = qobject_cast<const QLabel*>(control)) {
        text = label->text();
      } else if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        text = box->text();
      } else {
        continue;
      }
      SCOPED_TRACE(text.toStdString());
      EXPECT_LE(control->sizeHint().width(), control->width());
      EXPECT_LE(control->sizeHint().height(), control->height());
      EXPECT_TRUE(shown->rect().contains(control->geometry()));
      for (const QWidget* other : controls) {
        if (other != control) {
          EXPECT_FALSE(other->geometry().intersects(control->geometry()))
              << other->objectName().toStdString();
        }
      }
    }
  }
  Press(QDialogButtonBox::Cancel);
}

TEST_F(OptionsSheetTest, CharacterSetIsChosenOnTheGeneralPage) {
  app_.settings.character_set = "utf-8";
  Open();
  auto* choice = Find<QComboBox>("choice2009");
  EXPECT_EQ(choice->currentText(), "UTF-8");
  EXPECT_EQ(choice->count(), 3);
  choice->setCurrentIndex(1);
  emit choice->activated(1);  // as a user's choice does
  EXPECT_EQ(app_.settings.character_set, "ANSI");
  Press(QDialogButtonBox::Ok);
  EXPECT_NE(ReadFile(app_.paths.settings_file).find("Zeichensatz=ANSI"),
            std::string::npos);
}

// Number fields take digits only, up to their right edge; the separator is
// text, and anything goes there.
TEST_F(OptionsSheetTest, TypingIsCheckedAsItComes) {
  Open();
  const auto type = [](QLineEdit* edit, const char* typed) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
    QCoreApplication::sendEvent(edit, &press);
  };
  QLineEdit* size = Find("edit2002");
  size->clear();
  for (int i = 0; i < 20; ++i) type(size, "8");
  EXPECT_GT(size->text().size(), 1);
  EXPECT_LT(size->text().size(), 10);
  QLineEdit* separator = Find("edit216");
  separator->clear();
  type(separator, ";");
  EXPECT_EQ(separator->text(), ";");
  ShowPage(2);
  QLineEdit* length = Find("edit2003");
  length->clear();
  for (const char* typed : {"1", "a", "-", " ", "2"}) type(length, typed);
  EXPECT_EQ(length->text(), "12");
  Press(QDialogButtonBox::Cancel);
}

TEST_F(OptionsSheetTest, OneSheetAtATimeAndNoneAfterTheMainWindow) {
  QDialog* first = Open();
  EXPECT_EQ(Open(), first);
  EXPECT_EQ(main_window_.findChildren<QDialog*>().size(), 1);
  Press(QDialogButtonBox::Ok);
  EXPECT_EQ(closed_, 1);

  auto* main_window = new QWidget;
  OpenOptions(app_, main_window, [this] { ++closed_; });
  delete main_window;  // takes the sheet along, without the close steps
  EXPECT_EQ(closed_, 1);
}

}  // namespace
}  // namespace quor
