#include "desktop/window_placement.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <string>

#include "test_support.h"

namespace quor {
namespace {

class WindowPlacementTest : public ::testing::Test {
 protected:
  testing::TempDir dir_;
  const std::string path_ = dir_.File("q.INI");
};

TEST_F(WindowPlacementTest, WithoutAFileTheDefaultRectangleIsShownNormally) {
  QWidget plain;
  RestorePlacement(plain, path_);
  EXPECT_EQ(plain.geometry(), QRect(100, 100, 400, 300));
  EXPECT_EQ(plain.windowState(), Qt::WindowNoState);

  QWidget main_window;
  main_window.setMinimumSize(500, 500);
  RestorePlacement(main_window, path_);
  EXPECT_EQ(main_window.geometry(), QRect(100, 100, 500, 500));
}

TEST_F(WindowPlacementTest, NormalWindowIsSavedAndRestored) {
  testing::WriteFile(path_, "[Allgemein]\nUmbrechen=1\n");
  QWidget window;
  window.setGeometry(120, 80, 600, 520);
  window.show();
  SavePlacement(window, path_);
  // Both saved positions are where the window's frame stands.
  const std::string x = std::to_string(window.frameGeometry().x());
  const std::string y = std::to_string(window.frameGeometry().y());
  EXPECT_EQ(testing::ReadFile(path_),
            "[Allgemein]\nUmbrechen=1\n\n[Quor-Filter2]\nFlags=0\nShowCmd=1\n"
            "XMin=" +
                x + "\nYMin=" + y + "\nXMax=" + x + "\nYMax=" + y +
                "\nLinks=120\nRechts=720\nOben=80\nunten=600\n");

  QWidget again;
  RestorePlacement(again, path_);
  EXPECT_EQ(again.geometry(), QRect(120, 80, 600, 520));
}

TEST_F(WindowPlacementTest, MaximisedWindowKeepsItsNormalRectangle) {
  testing::WriteFile(path_,
                     "[Quor-Filter2]\nShowCmd=3\nLinks=50\nRechts=650\n"
                     "Oben=40\nUnten=580\n");
  QWidget window;
  RestorePlacement(window, path_);
  window.show();
  EXPECT_TRUE(window.isMaximized());
  EXPECT_EQ(window.normalGeometry(), QRect(50, 40, 600, 540));

  SavePlacement(window, path_);
  QWidget again;
  RestorePlacement(again, path_);
  again.show();
  EXPECT_TRUE(again.isMaximized());
  EXPECT_EQ(again.normalGeometry(), QRect(50, 40, 600, 540));
}

TEST_F(WindowPlacementTest, MinimisedWindowReopensNormally) {
  for (const char* show : {"2", "6"}) {
    testing::WriteFile(path_, std::string("[Quor-Filter2]\nShowCmd=") + show);
    QWidget window;
    RestorePlacement(window, path_);
    EXPECT_EQ(window.windowState(), Qt::WindowNoState) << show;
  }

  QWidget window;
  window.setGeometry(10, 20, 300, 200);
  window.showMaximized();
  window.showMinimized();
  SavePlacement(window, path_);
  QWidget again;
  RestorePlacement(again, path_);
  EXPECT_EQ(again.windowState(), Qt::WindowNoState);
  EXPECT_EQ(again.geometry(), QRect(10, 20, 300, 200));
}

}  // namespace
}  // namespace quor
