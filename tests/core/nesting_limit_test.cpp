#include "core/html/nesting_limit.h"

#include <gtest/gtest.h>

#include <string>

namespace quor {
namespace {

std::string Repeat(const std::string& part, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += part;
  return all;
}

TEST(NestingLimit, OnlyStartTagsBeyondTheDepthGo) {
  const struct {
    const char* what;
    std::string html;
    std::string limited;  // empty: left as it is
  } cases[] = {
      {"shallow", "<div><b>x</b></div><div>y</div>", ""},
      {"one too deep", "<div><div><i a='>'>x</i></div></div>",
       "<div><div>x</i></div></div>"},
      {"closed again", "<div></div><div></div><div></div>", ""},
      {"stray end tags count nothing", "<div></b></b><div><div>x",
       "<div></b></b><div>x"},
      {"self-limiting and void", "<p><li><td><br><img><span/>x", ""},
      {"comments and raw text", "<div><!--<b><b>--><script><b><b></script>x",
       ""},
      {"script never goes", "<div><div><script>s</script>x", ""},
      {"head and template never go", "<a><b><template><head>x", ""},
      {"cut tag", "<div><div><b", ""},
  };
  for (const auto& c : cases) {
    const auto limited = LimitNesting(c.html, 2);
    if (c.limited.empty()) {
      EXPECT_FALSE(limited.has_value()) << c.what << ": " << *limited;
    } else {
      EXPECT_EQ(limited.value_or("(none)"), c.limited) << c.what;
    }
  }
}

TEST(NestingLimit, DeepPagesAreCutToTheLimit) {
  const std::string deep = Repeat("<div>", 1000) + "x" + Repeat("</div>", 1000);
  EXPECT_EQ(LimitNesting(deep, kMaxNesting),
            Repeat("<div>", kMaxNesting) + "x" + Repeat("</div>", 1000));
}

}  // namespace
}  // namespace quor
