#include "core/filters/html_to_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/filters/html_entities.h"
#include "random_text.h"
#include "reference/html_reference.h"
#include "test_support.h"

namespace quor {
namespace {

TEST(HtmlToText, KeepsTextBetweenTagsAndDecodesEntities) {
  const struct {
    const char* html;
    const char* expected;
  } cases[] = {
      {"<b>x</b><br>y<i>", " x \r\n y"},
      {"<a>x<br/>y<BR >z<bR>", " x y z\r\n"},
      {"<a><b>x>y<c>", "  x>y"},
      {"a<BR>b", ""},
      {"<x><!-- c -->text<y>", " text"},
      {"<a><!--->x<y>", " x"},
      {"<a><style type=x>p{}</style>x<y>", "  p{} x"},
      {"<a><SCRIPT>if (a<b) c();</Script>x<y>", " x"},
      // A comment between the halves makes a start marker.
      {"<a><sty<!---->le>p{}</style>x<y>", " x"},
      // One sweep per entity in the table's order: "&amp;" comes after
      // "&lt;" and before the letters.
      {"<p>&amp;lt;</p>", " &lt;"},
      {"<p>&amp;&auml;&amp;#169;</p>", " &\xE4\xA9"},
      // Names count in their own case only.
      {"<p>&AUML;&Auml;&auml;&auml</p>", " &AUML;\xC4\xE4&auml"},
      {"<p>&nbsp;&quot;&#169;&#170;</p>", "  '\xA9&#170;"},
  };
  testing::RecordingMessages messages;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.html);
    TextDocument document{std::string(c.html)};
    HtmlToText(document, messages);
    EXPECT_EQ(*document.text, c.expected);
    EXPECT_EQ(reference::HtmlToText(c.html), c.expected);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(HtmlToText, CopesWithAPageCutAnywhere) {
  const std::string page =
      "<html><head><STYLE>p{}</STYLE><script>a<b</script></head><body>\r\n"
      "<!-- Kopf --><p>Gr&ouml;&szlig;e &amp;auml; &lt;</p><br>\r\n"
      "<p>Stra&szlig;e<BR>&#169; 2026</p></body></html>";
  testing::RecordingMessages messages;
  for (std::size_t cut = 0; cut <= page.size(); ++cut) {
    TextDocument document{page.substr(0, cut)};
    HtmlToText(document, messages);
    ASSERT_EQ(*document.text, reference::HtmlToText(page.substr(0, cut)))
        << "cut at " << cut;
  }
}

TEST(HtmlToText, AgreesWithPassByPassFilterOnRandomHtml) {
  // Tags, markers and their halves, and entity names whole, cut short or
  // behind "&amp;", amid the skewed plain alphabet.
  static constexpr const char* kPieces[] = {
      "<",       ">",        "<p>",    "</p>", "<br>",     "<bR>",
      "<br/>",   "<br",      "<!--",   "-->",  "<!-->",    "-",
      "<style>", "</STYLE>", "<sTyle", "le>",  "<script>", "</Script>",
      "&",       ";",        "&amp;",  "amp;", "&AMP;",    "&#169"};
  const auto entities = reference::EntityTable();
  std::mt19937 rng(2303);
  const int iterations = testing::DifferentialIterations(5000);
  testing::RecordingMessages messages;
  for (int i = 0; i < iterations; ++i) {
    std::string html;
    for (std::size_t n = rng() % 40; n > 0; --n) {
      const std::size_t kind = rng() % 8;
      std::string name = entities[rng() % entities.size()].name;
      if (kind == 5) name.resize(name.size() - 1 - rng() % 3);
      if (kind == 6) name = "&amp;" + name.substr(1);
      html += kind < 4   ? std::string(kPieces[rng() % std::size(kPieces)])
              : kind < 7 ? name
                         : testing::RandomText(rng, 12);
    }
    TextDocument document{html};
    HtmlToText(document, messages);
    ASSERT_EQ(*document.text, reference::HtmlToText(html)) << html;
    std::string decoded = html;
    DecodeEntities(decoded);
    ASSERT_EQ(decoded, reference::DecodeEntities(html)) << html;
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quor
