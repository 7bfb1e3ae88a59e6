// The places outside the catalogue that every filter needs in the window.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <map>
#include <memory>

#include "core/app/filter_catalogue.h"
#include "desktop/main_window.h"
#include "desktop/options_pages.h"
#include "fake_file_dialogs.h"
#include "test_support.h"

namespace quor {
namespace {

using ::quor::testing::RecordingMessages;
using ::quor::testing::TempDir;
using ::quor::testing::WriteFile;

TEST(FilterCataloguePlaces, EveryFilterHasOneOptionsBoxForItsButton) {
  TempDir dir;
  RecordingMessages messages;
  Application app(testing::PathsIn(dir), messages);
  // Boxes of the word-list filters stay off without their files.
  WriteFile(app.paths.exclude_list, "a\n");
  WriteFile(app.paths.replace_list, "a\nb\n");
  for (const FilterEntry& filter : FilterCatalogue()) {
    app.settings.*filter.button_flag = 0;
  }
  std::map<std::string_view, int> boxes;
  for (SettingsPage* created :
       {SettingsPage::General(app), SettingsPage::Filter1(app),
        SettingsPage::Filter2(app)}) {
    const std::unique_ptr<SettingsPage> page(created);
    for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
      box->click();
      for (const FilterEntry& filter : FilterCatalogue()) {
        if (app.settings.*filter.button_flag == 0) continue;
        ++boxes[filter.label];
        app.settings.*filter.button_flag = 0;
      }
    }
  }
  for (const FilterEntry& filter : FilterCatalogue()) {
    EXPECT_EQ(boxes[filter.label], 1) << filter.label;
  }
}

TEST(FilterCataloguePlaces, FilterCommandsLeaveTheWindowsOwnIdsFree) {
  for (const FilterEntry& filter : FilterCatalogue()) {
    for (const int own :
         {kCommandEnd, kCommandHide, kCommandLoad, kCommandSave, kCommandCopy,
          kCommandPaste, kCommandPasteWithoutAsking, kCommandUndo,
          kCommandOptions}) {
      EXPECT_NE(filter.command_id, own) << filter.label;
    }
  }
}

}  // namespace
}  // namespace quor
