#include "core/html/modern_html.h"

#include <gumbo.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/files/utf8_text.h"
#include "core/html/block_rules.h"
#include "core/html/nesting_limit.h"
#include "core/html/plain_text.h"

namespace quor {
namespace {

struct GumboOutputDeleter {
  void operator()(GumboOutput* output) const {
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};
using ParsedPage = std::unique_ptr<GumboOutput, GumboOutputDeleter>;

ParsedPage Parse(const std::string& utf8) {
  GumboOptions options = kGumboDefaultOptions;
  // The errors are of no use here and would take memory on a broken page.
  options.max_errors = 0;
  ParsedPage page(gumbo_parse_with_options(&options, utf8.data(), utf8.size()));
  if (!page) throw std::bad_alloc();
  return page;
}

const GumboVector& ChildrenOf(const GumboNode& node) {
  return node.type == GUMBO_NODE_DOCUMENT ? node.v.document.children
                                          : node.v.element.children;
}

// An element being walked: its rule and the next child to visit.
struct OpenElement {
  const GumboNode* node;
  TagRule rule;
  unsigned int next_child;
};

// What the page's text gets where an element starts (`entering`) or ends.
void ElementEdge(TagRule rule, bool entering, PlainText& text,
                 int& preformatted) {
  switch (rule) {
    case TagRule::kParagraph:
      text.RequireLineEnds(2);
      break;
    case TagRule::kPreformatted:
      preformatted += entering ? 1 : -1;
      text.RequireLineEnds(1);
      break;
    case TagRule::kBlock:
    case TagRule::kRow:
      text.RequireLineEnds(1);
      break;
    case TagRule::kLineBreak:
      if (entering) text.AddLineBreak();
      break;
    case TagRule::kCell:
      if (!entering) text.EndCell();
      break;
    case TagRule::kInline:
    case TagRule::kSkipped:
      break;
  }
}

// The rule of a node to enter, or kSkipped for one without shown text.
TagRule EnteredRule(const GumboNode& node) {
  if (node.type == GUMBO_NODE_ELEMENT) return RuleOf(node.v.element.tag);
  return node.type == GUMBO_NODE_DOCUMENT ? TagRule::kInline
                                          : TagRule::kSkipped;
}

// The text of the parsed page. The tree is walked with an explicit stack, as
// pages may nest elements far deeper than the call stack reaches.
std::string PageText(const GumboNode& document, PlainText::Out out) {
  PlainText text(out);
  int preformatted = 0;
  std::vector<OpenElement> open = {{&document, TagRule::kInline, 0}};
  while (!open.empty()) {
    OpenElement& top = open.back();
    const GumboVector& children = ChildrenOf(*top.node);
    if (top.next_child == children.length) {
      ElementEdge(top.rule, false, text, preformatted);
      open.pop_back();
      continue;
    }
    const auto& child =
        *static_cast<const GumboNode*>(children.data[top.next_child++]);
    switch (child.type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        text.AddText(child.v.text.text, preformatted > 0);
        break;
      default:
        if (const TagRule rule = EnteredRule(child);
            rule != TagRule::kSkipped) {
          ElementEdge(rule, true, text, preformatted);
          open.push_back({&child, rule, 0});
        }
    }
  }
  return text.Finish();
}

}  // namespace

void ModernHtmlToText(TextDocument& document, Messages& messages) {
  if (!document.text) return;
  ReportingLackOfMemory(messages, [&] {
    // A UTF-8 file with characters that Windows-1252 lacks is held as its
    // bytes: such a page is read, and its text given, as UTF-8.
    const Utf8Reading reading = ReadUtf8(*document.text);
    const bool utf8_page = reading.well_formed && !reading.all_cp1252;
    std::string utf8;
    if (utf8_page) {
      utf8 = *document.text;
    } else {
      AppendCp1252AsUtf8(*document.text, utf8);
    }
    if (auto limited = LimitNesting(utf8, kMaxNesting)) {
      utf8 = std::move(*limited);
    }
    // The parser counts positions in 32 bits.
    if (utf8.size() >= std::numeric_limits<std::uint32_t>::max()) {
      throw std::bad_alloc();
    }
    const ParsedPage page = Parse(utf8);
    *document.text =
        PageText(*page->document,
                 utf8_page ? PlainText::Out::kUtf8 : PlainText::Out::kCp1252);
  });
}

}  // namespace quor
