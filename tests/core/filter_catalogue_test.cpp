#include "core/app/filter_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <vector>

#include "core/filters/find_no_case.h"
#include "core/filters/html_to_text.h"
#include "core/html/modern_html.h"
#include "core/rtf/convert_rtf.h"
#include "core/rtf/modern_rtf.h"
#include "core/settings/settings.h"
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

// A filter added in one place but not another, or copied from its neighbour
// without changing every part, shows up here.
TEST(FilterCatalogue, EveryFilterHasItsOwnNamesButtonPlaceAndSettingKey) {
  std::set<std::string_view> labels, options, keys;
  std::set<int> command_ids;
  std::vector<int> columns;
  for (const FilterEntry& filter : FilterCatalogue()) {
    SCOPED_TRACE(filter.option);
    EXPECT_TRUE(labels.insert(filter.label).second);
    EXPECT_TRUE(command_ids.insert(filter.command_id).second);
    EXPECT_TRUE(options.insert(filter.option).second);
    // "-c" anywhere would make every run with this filter a batch run; the
    // help text lines the options up in 12 columns.
    EXPECT_EQ(FindNoCase(filter.option, "-c"), std::string_view::npos);
    EXPECT_LT(filter.option.size(), 12u);
    columns.push_back(filter.column);
    const std::string_view key = SettingKey(filter.button_flag);
    EXPECT_FALSE(key.empty());
    EXPECT_TRUE(keys.insert(key).second);
  }
  std::ranges::sort(columns);
  std::vector<int> top_down(FilterCatalogue().size());
  std::iota(top_down.begin(), top_down.end(), 0);
  EXPECT_EQ(columns, top_down);
}

std::string ReadWith(void (*reader)(TextDocument&, Messages&),
                     const std::string& page) {
  testing::RecordingMessages messages;
  TextDocument document{page};
  reader(document, messages);
  return *document.text;
}

TEST(FilterCatalogue, HtmlButtonRunsTheReaderTheSettingChooses) {
  const std::string page =
      "<style type=\"text/css\">p {}</style><p>&euro;1</p><p>2</p>";
  const std::string exact = ReadWith(HtmlToText, page);
  const std::string modern = ReadWith(ModernHtmlToText, page);
  ASSERT_NE(exact, modern);
  const struct {
    std::int32_t setting;
    const std::string& text;
  } cases[] = {{0, exact}, {1, modern}, {2, modern}, {-1, modern}};
  const FilterEntry& button = FilterCatalogue()[2];
  ASSERT_EQ(button.option, "-F3");
  for (const auto& c : cases) {
    testing::RecordingMessages messages;
    Application app(ProgramPaths{}, messages);
    app.settings.modern_readers = c.setting;
    app.document.text = page;
    EXPECT_TRUE(button.run(app));
    EXPECT_EQ(app.document.text, c.text) << c.setting;
  }
}

TEST(FilterCatalogue, ModernReadersIgnoreTheSettingAndHaveNoButton) {
  const std::string page = "<p>a</p><p>&hellip;</p>";
  for (const FilterEntry& reader : ModernReaders()) {
    SCOPED_TRACE(reader.option);
    EXPECT_EQ(reader.command_id, 0);
    EXPECT_EQ(reader.column, -1);
    EXPECT_EQ(reader.button_flag, nullptr);
    testing::RecordingMessages messages;
    Application app(ProgramPaths{}, messages);
    app.settings.modern_readers = 0;
    EXPECT_TRUE(reader.run(app));
    EXPECT_FALSE(app.document.HasText());
  }
  ASSERT_EQ(ModernReaders()[0].option, "html-modern");
  testing::RecordingMessages messages;
  Application app(ProgramPaths{}, messages);
  app.document.text = page;
  ModernReaders()[0].run(app);
  EXPECT_EQ(app.document.text, ReadWith(ModernHtmlToText, page));
}

TEST(FilterCatalogue, RtfButtonRunsTheReaderTheSettingChooses) {
  const std::string rtf =
      "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\field{\\*\\fldinst HYPERLINK x}"
      "{\\fldrslt Link}}\\par}";
  testing::RecordingMessages messages;
  TextDocument exact{rtf};
  RtfSession session;
  ConvertRtfDocument(exact, session, messages);
  const std::string modern = ReadWith(ConvertRtfModern, rtf);
  ASSERT_NE(exact.text, modern);
  const struct {
    std::int32_t setting;
    const std::string& text;
  } cases[] = {{0, *exact.text}, {1, modern}, {2, modern}, {-1, modern}};
  const FilterEntry& button = FilterCatalogue()[3];
  ASSERT_EQ(button.option, "-F4");
  for (const auto& c : cases) {
    Application app(ProgramPaths{}, messages);
    app.settings.modern_readers = c.setting;
    app.document.text = rtf;
    EXPECT_TRUE(button.run(app));
    EXPECT_EQ(app.document.text, c.text) << c.setting;
  }
  ASSERT_EQ(ModernReaders()[1].option, "rtf-modern");
  Application app(ProgramPaths{}, messages);
  app.document.text = rtf;
  ModernReaders()[1].run(app);
  EXPECT_EQ(app.document.text, "Link\r\n");
}

}  // namespace
}  // namespace quor
