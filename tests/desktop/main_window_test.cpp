#include "desktop/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <string>
#include <vector>

#include "core/app/filter_catalogue.h"
#include "core/app/unix_options.h"
#include "desktop/text_view.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::FakeFileDialogs;
using ::quor::testing::RecordingMessages;
using ::quor::testing::TempDir;

struct Placed {
  std::string label;
  QRect geometry;
  bool operator==(const Placed&) const = default;
};

void PrintTo(const Placed& placed, std::ostream* out) {
  const QRect& r = placed.geometry;
  *out << placed.label << " @" << r.x() << "," << r.y() << " " << r.width()
       << "x" << r.height();
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : app_(testing::PathsIn(dir_), messages_) {}

  // A shown, active window with its buttons.
  MainWindow& Open(int width = 600, int height = 500) {
    window_.emplace(app_, dialogs_);
    window_->resize(width, height);
    window_->show();
    window_->ShowButtons();
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&*window_));
    QApplication::processEvents();
    return *window_;
  }

  std::string Text() const { return app_.document.text.value_or("<none>"); }

  // The buttons from `first` on, with their texts and places.
  static std::vector<Placed> Column(const MainWindow& window, std::size_t first,
                                    std::size_t count) {
    std::vector<Placed> placed;
    for (std::size_t i = first; i < first + count; ++i) {
      const QPushButton* button = window.buttons().at(i);
      placed.push_back({button->text().toStdString(), button->geometry()});
    }
    return placed;
  }

  static std::vector<Placed> FixedButtons(int b) {
    return {{"Ende", {10, b - 38, 110, 26}},
            {"Traybar", {140, b - 38, 110, 26}},
            {"Laden", {10, b - 66, 110, 26}},
            {"Speichern", {140, b - 66, 110, 26}},
            {"Kopieren", {10, b - 94, 110, 26}},
            {"Einfügen", {140, b - 94, 110, 26}},
            {"Rückgängig machen", {10, b - 122, 240, 26}},
            {"Optionen", {10, b - 148, 240, 26}}};
  }

  TempDir dir_;
  RecordingMessages messages_;
  FakeFileDialogs dialogs_;
  Application app_;
  std::optional<MainWindow> window_;
};

TEST_F(MainWindowTest, ButtonsAndViewArePlacedByTheWindowSize) {
  MainWindow window(app_, dialogs_);
  window.show();
  window.resize(600, 520);
  const std::vector<std::string> labels = {
      "HTML -> Text",           "RTF -> Text",     "Exclude-Datei anwenden",
      "Replace-Datei anwenden", "doppelte Wörter", "überflüssige Leerzeichen",
      "doppelte Zeilen",        "Substantive"};
  std::vector<Placed> expected;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    expected.push_back(
        {labels[i], {10, 10 + 28 * static_cast<int>(i), 240, 26}});
  }
  for (const Placed& fixed : FixedButtons(520)) expected.push_back(fixed);
  EXPECT_EQ(Column(window, 0, window.buttons().size()), expected);
  EXPECT_EQ(window.windowTitle(), "Quor-Filter 3.2");

  // A new size moves the fixed buttons and the view, not the filters.
  window.resize(800, 640);
  EXPECT_EQ(Column(window, 0, 8),
            std::vector<Placed>(expected.begin(), expected.begin() + 8));
  EXPECT_EQ(Column(window, 8, 8), FixedButtons(640));
  EXPECT_EQ(window.view().geometry(), QRect(260, 10, 530, 620));
  window.resize(300, 200);  // no smaller than 500 x 500
  EXPECT_EQ(window.size(), QSize(500, 500));
}

TEST_F(MainWindowTest, ButtonsStayHiddenUntilShownAfterARebuild) {
  MainWindow window(app_, dialogs_);
  window.show();
  EXPECT_FALSE(window.buttons().front()->isVisible());
  window.ShowButtons();
  EXPECT_TRUE(window.buttons().front()->isVisible());

  app_.settings.nouns = 0;
  window.RebuildButtonColumn();
  EXPECT_EQ(window.buttons().size(), 15u);
  EXPECT_EQ(window.findChild<QPushButton*>("command_100"), nullptr);
  EXPECT_FALSE(window.buttons().back()->isVisible());
}

TEST_F(MainWindowTest, TraybarAndMinimisingHideOnlyWhenATrayCanBringItBack) {
  MainWindow window(app_, dialogs_);
  window.SetTrayAvailable([] { return false; });
  window.show();
  window.Execute(kCommandHide);
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.isMinimized());

  window.showNormal();
  window.SetTrayAvailable([] { return true; });
  window.findChild<QPushButton*>("command_2")->click();
  EXPECT_FALSE(window.isVisible());
  // Minimising hides the window too while there is a tray.
  window.show();
  window.showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, BusyBoxSitsOverTheWindowUntilClosed) {
  MainWindow window(app_, dialogs_);
  window.setGeometry(100, 100, 600, 500);
  window.show();
  BusyWindow busy(window);
  busy.Show();
  const auto* box = window.findChild<QWidget*>("busy_window");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  // A tool window of the main window: no task-bar entry of its own.
  EXPECT_EQ(box->windowType(), Qt::Tool);
  EXPECT_EQ(box->windowHandle()->transientParent(), window.windowHandle());
  const QPoint corner = window.frameGeometry().topLeft();
  EXPECT_EQ(box->pos(), QPoint(corner.x() + (600 - box->width()) / 2,
                               corner.y() + (500 - box->height()) / 2));
  busy.Close();
  EXPECT_EQ(window.findChild<QWidget*>("busy_window"), nullptr);
}

TEST_F(MainWindowTest, ShortcutsRunTheirButtonsCommands) {
  app_.settings.dos_to_unix = 1;
  MainWindow& window = Open();
  app_.document.text = "a\r\nb";
  window.findChild<QPushButton*>("command_121")->click();  // "Dos -> Unix"
  ASSERT_EQ(Text(), "a\nb");

  // The offscreen platform hands the activation to the busy box and drops it.
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a\r\nb");
  messages_.answer = false;  // "Text überschreiben?" -> Nein
  QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(messages_.asked.size(), 1u);
  EXPECT_EQ(dialogs_.opened, 0);
  messages_.answer = true;
  QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.opened, 1);
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dialogs_.saved, 1);
  // Undone to the state it was loaded in, the document closes unasked.
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(messages_.asked.size(), 2u);  // the two "Laden" questions only
}

TEST_F(MainWindowTest, TabWalksTheButtonsInColumnOrderThenTheView) {
  MainWindow& window = Open();
  // "Rückgängig machen" is off with nothing to undo, and Tab passes it by.
  const std::vector<std::string> expected = {"HTML -> Text",
                                             "RTF -> Text",
                                             "Exclude-Datei anwenden",
                                             "Replace-Datei anwenden",
                                             "doppelte Wörter",
                                             "überflüssige Leerzeichen",
                                             "doppelte Zeilen",
                                             "Substantive",
                                             "Optionen",
                                             "Kopieren",
                                             "Einfügen",
                                             "Laden",
                                             "Speichern",
                                             "Ende",
                                             "Traybar"};
  window.buttons().front()->setFocus();
  std::vector<std::string> walked;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    ASSERT_NE(button, nullptr) << i;
    walked.push_back(button->text().toStdString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(QApplication::focusWidget(), &window.view());
  QTest::keyClick(&window.view(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "command_2");
}

TEST_F(MainWindowTest, SpaceAndEnterPressTheFocusedButton) {
  app_.settings.unix_to_dos = 1;
  MainWindow& window = Open();
  auto* button = window.findChild<QPushButton*>("command_122");  // Unix -> Dos
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
    app_.document.text = "a\nb";
    button->setFocus();
    QTest::keyClick(button, key);
    EXPECT_EQ(Text(), "a\r\nb") << key;
  }
}

// The tip names both options that run the filter; the long one must be one
// --help knows.
TEST_F(MainWindowTest, EveryFilterButtonNamesItsOptions) {
  for (const FilterEntry& filter : FilterCatalogue()) {
    app_.settings.*filter.button_flag = 1;
  }
  MainWindow& window = Open();
  for (const FilterEntry& filter : FilterCatalogue()) {
    const QString tip =
        window
            .findChild<QPushButton*>(
                QStringLiteral("command_%1").arg(filter.command_id))
            ->toolTip();
    SCOPED_TRACE(tip.toStdString());
    EXPECT_TRUE(tip.endsWith(" oder " + QString::fromUtf8(filter.option)));
    const QString long_option =
        tip.section("--", 1).section(QRegularExpression("[=\\[ ]"), 0, 0);
    EXPECT_TRUE(std::ranges::any_of(FilterOptions(), [&](const auto& option) {
      return long_option == QString::fromUtf8(option.name);
    }));
  }
}

// With all 24 filters on, the column scrolls: no button ever lies under the
// fixed buttons, and each can be brought into sight.
TEST_F(MainWindowTest, AFullColumnScrollsAboveTheFixedButtons) {
  for (const FilterEntry& filter : FilterCatalogue()) {
    app_.settings.*filter.button_flag = 1;
  }
  MainWindow& window = Open(500, 500);
  auto* column = window.findChild<QScrollArea*>("filter_column");
  ASSERT_NE(column, nullptr);
  const int fixed_top = window.findChild<QPushButton*>("command_1006")->y();
  EXPECT_LE(column->geometry().bottom(), fixed_top);
  EXPECT_TRUE(column->verticalScrollBar()->isVisible());
  const QRect sight(column->viewport()->mapTo(&window, QPoint(0, 0)),
                    column->viewport()->size());
  for (const FilterEntry& filter : FilterCatalogue()) {
    QPushButton* button = window.buttons()[filter.column];
    EXPECT_EQ(button->text(), QString::fromUtf8(filter.label));
    button->setFocus();  // Tab would get here too
    const QRect placed(button->mapTo(&window, QPoint(0, 0)), button->size());
    SCOPED_TRACE(button->text().toStdString());
    EXPECT_TRUE(sight.contains(placed));
    EXPECT_LT(placed.right(),
              column->verticalScrollBar()->mapTo(&window, QPoint(0, 0)).x());
  }
  // Buttons made anew (after the options sheet) fit beside the bar too.
  window.RebuildButtonColumn();
  window.ShowButtons();
  EXPECT_LT(window.buttons()[0]->mapTo(&window, QPoint(0, 0)).x() +
                window.buttons()[0]->width(),
            column->verticalScrollBar()->mapTo(&window, QPoint(0, 0)).x());
  // Tall enough, the bar goes and the buttons get their whole width back.
  window.resize(600, 900);
  QApplication::processEvents();
  EXPECT_FALSE(column->verticalScrollBar()->isVisible());
  EXPECT_EQ(window.buttons()[23]->geometry(), QRect(10, 654, 240, 26));
}

TEST_F(MainWindowTest, TheViewScrollsWithTheKeyboard) {
  MainWindow& window = Open();
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::string(300, 'x') + "\n";
  app_.document.text = text;
  window.view().Refresh();
  const ViewState& view = app_.view;
  const int page = view.visible_lines;
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::int64_t line;
    std::int64_t column;
  };
  const std::int64_t last_line = view.display_lines - page;
  const std::int64_t last_column = view.widest_line - view.visible_columns;
  const Step steps[] = {
      {Qt::Key_Down, Qt::NoModifier, 1, 0},
      {Qt::Key_PageDown, Qt::NoModifier, 1 + page, 0},
      {Qt::Key_Up, Qt::NoModifier, page, 0},
      {Qt::Key_PageUp, Qt::NoModifier, 0, 0},
      {Qt::Key_Right, Qt::NoModifier, 0, 1},
      {Qt::Key_End, Qt::NoModifier, 0, last_column},
      {Qt::Key_Left, Qt::NoModifier, 0, last_column - 1},
      {Qt::Key_Home, Qt::NoModifier, 0, 0},
      {Qt::Key_End, Qt::ControlModifier, last_line, 0},
      {Qt::Key_Right, Qt::NoModifier, last_line, 1},
      {Qt::Key_Home, Qt::ControlModifier, 0, 0},
  };
  for (const Step& step : steps) {
    QTest::keyClick(&window.view(), step.key, step.modifiers);
    EXPECT_EQ(view.first_line, step.line) << step.key;
    EXPECT_EQ(view.first_column, step.column) << step.key;
  }
}

}  // namespace
}  // namespace quor
