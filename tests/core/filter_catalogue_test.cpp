#include "core/app/filter_catalogue.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quor {
namespace {

TEST(FilterCatalogue, EveryFilterLeavesMissingAndEmptyDocumentsAlone) {
  for (const FilterEntry& filter : FilterCatalogue()) {
    SCOPED_TRACE(filter.option);
    testing::RecordingMessages messages;
    Application app(ProgramPaths{}, messages);
    app.settings.same_chars_length = 3;
    app.exclude_list = app.replace_list = "der\r\nHaus\r\n";
    EXPECT_TRUE(filter.run(app));
    EXPECT_FALSE(app.document.HasText());
    app.document.text = "";
    EXPECT_TRUE(filter.run(app));
    EXPECT_EQ(app.document.text, "");
    EXPECT_TRUE(messages.shown.empty());
  }
}

}  // namespace
}  // namespace quor
