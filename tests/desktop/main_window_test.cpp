#include "desktop/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QWindow>
#include <string>
#include <vector>

#include "core/app/filter_catalogue.h"
#include "desktop/text_view.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::RecordingMessages;
using ::quor::testing::TempDir;

class NoFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> OpenFile(QWidget*) override { return {}; }
  std::optional<std::string> SaveFile(QWidget*) override { return {}; }
};

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
  MainWindowTest()
      : app_(ProgramPaths{dir_.File("quorfilter.INI"), dir_.File("FILTER.TXT"),
                          dir_.File("REPLACE.TXT")},
             messages_) {}

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
  NoFileDialogs dialogs_;
  Application app_;
};

TEST_F(MainWindowTest, DefaultSettingsGiveTheirFilterColumnAndFixedButtons) {
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
}

TEST_F(MainWindowTest, ResizingMovesFixedButtonsAndViewButNotFilters) {
  MainWindow window(app_, dialogs_);
  window.show();
  window.resize(700, 600);
  const QRect first_filter = window.buttons().front()->geometry();
  window.resize(800, 640);
  EXPECT_EQ(window.buttons().front()->geometry(), first_filter);
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

TEST_F(MainWindowTest, TraybarHidesOnlyWhenATrayCanBringTheWindowBack) {
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
}

TEST_F(MainWindowTest, MinimisingHidesWhenThereIsATray) {
  MainWindow window(app_, dialogs_);
  window.SetTrayAvailable([] { return true; });
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

}  // namespace
}  // namespace quor
