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
                     const std::string& source) {
  testing::RecordingMessages messages;
  TextDocument document{source};
  reader(document, messages);
  return *document.text;
}

void ConvertRtfExactly(TextDocument& document, Messages& messages) {
  RtfSession session;
  ConvertRtfDocument(document, session, messages);
}

// The HTML and RTF buttons run the exact reader only with the setting at 0;
// the modern readers' own entries ignore it and have no button.
TEST(FilterCatalogue, ReaderButtonsFollowTheSettingAndModernEntriesDoNot) {
  const struct {
    std::size_t button;
    std::string_view option;
    std::string_view modern_option;
    void (*exact)(TextDocument&, Messages&);
    void (*modern)(TextDocument&, Messages&);
    std::string source;
  } readers[] = {
      {2, "-F3", "html-modern", HtmlToText, ModernHtmlToText,
       "<style type=\"text/css\">p {}</style><p>&euro;1</p><p>2</p>"},
      {3, "-F4", "rtf-modern", ConvertRtfExactly, ConvertRtfModern,
       "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\field{\\*\\fldinst HYPERLINK x}"
       "{\\fldrslt Link}}\\par}"},
  };
  for (std::size_t r = 0; r < std::size(readers); ++r) {
    const auto& reader = readers[r];
    SCOPED_TRACE(reader.option);
    const std::string exact = ReadWith(reader.exact, reader.source);
    const std::string modern = ReadWith(reader.modern, reader.source);
    ASSERT_NE(exact, modern);
    const FilterEntry& button = FilterCatalogue()[reader.button];
    ASSERT_EQ(button.option, reader.option);
    const FilterEntry& modern_entry = ModernReaders()[r];
    ASSERT_EQ(modern_entry.option, reader.modern_option);
    EXPECT_EQ(modern_entry.command_id, 0);
    EXPECT_EQ(modern_entry.column, -1);
    EXPECT_EQ(modern_entry.button_flag, nullptr);
    for (const std::int32_t setting : {0, 1, 2, -1}) {
      testing::RecordingMessages messages;
      Application app(ProgramPaths{}, messages);
      app.settings.modern_readers = setting;
      app.document.text = reader.source;
      EXPECT_TRUE(button.run(app));
      EXPECT_EQ(app.document.text, setting == 0 ? exact : modern) << setting;
      app.document.text = reader.source;
      EXPECT_TRUE(modern_entry.run(app));
      EXPECT_EQ(app.document.text, modern) << setting;
      app.document.text.reset();
      const std::size_t shown = messages.shown.size();
      EXPECT_TRUE(modern_entry.run(app));
      EXPECT_FALSE(app.document.HasText());
      EXPECT_EQ(messages.shown.size(), shown);
    }
  }
  EXPECT_EQ(ReadWith(ConvertRtfModern, readers[1].source), "Link\r\n");
}

}  // namespace
}  // namespace quor
