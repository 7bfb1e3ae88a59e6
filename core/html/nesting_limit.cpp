#include "core/html/nesting_limit.h"

#include <array>
#include <map>

namespace quor {
namespace {

using namespace std::string_view_literals;

constexpr std::array kUncounted = {
    "area"sv,  "base"sv,   "br"sv,    "col"sv,   "dd"sv,     "dt"sv,
    "embed"sv, "hr"sv,     "img"sv,   "input"sv, "li"sv,     "link"sv,
    "meta"sv,  "option"sv, "p"sv,     "param"sv, "source"sv, "td"sv,
    "th"sv,    "tr"sv,     "track"sv, "wbr"sv,   "html"sv,   "body"sv};

// Elements whose contents are text up to their end tag.
constexpr std::array kRawText = {
    "script"sv, "style"sv,   "textarea"sv, "title"sv,    "xmp"sv,
    "iframe"sv, "noembed"sv, "noframes"sv, "noscript"sv, "plaintext"sv};

template <std::size_t N>
bool IsOneOf(std::string_view name,
             const std::array<std::string_view, N>& names) {
  for (std::string_view candidate : names) {
    if (candidate == name) return true;
  }
  return false;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
bool IsLetter(char c) { return Lower(c) >= 'a' && Lower(c) <= 'z'; }

// The lower-case tag name starting at `at`.
std::string NameAt(std::string_view html, std::size_t at) {
  std::string name;
  while (at < html.size() && name.size() < 16 &&
         (IsLetter(html[at]) || (html[at] >= '0' && html[at] <= '9'))) {
    name.push_back(Lower(html[at++]));
  }
  return name;
}

// The position of the '>' that ends the tag starting at `at`, skipping
// quoted attribute values; npos for a tag cut off by the end.
std::size_t TagEnd(std::string_view html, std::size_t at) {
  char quote = 0;
  for (; at < html.size(); ++at) {
    const char c = html[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return at;
    }
  }
  return std::string_view::npos;
}

// Where the raw text of element `name` ends: at its end tag, in any case.
std::size_t RawTextEnd(std::string_view html, std::size_t at,
                       std::string_view name) {
  while ((at = html.find("</", at)) != std::string_view::npos) {
    if (NameAt(html, at + 2) == name) return at;
    at += 2;
  }
  return html.size();
}

class NestingScan {
 public:
  NestingScan(std::string_view html, int max_depth)
      : html_(html), max_depth_(max_depth) {}

  std::optional<std::string> Run() {
    std::size_t at = 0;
    while ((at = html_.find('<', at)) != std::string_view::npos) {
      at = Tag(at);
    }
    if (!out_) return std::nullopt;
    out_->append(html_.substr(copied_));
    return std::move(out_);
  }

 private:
  // Looks at the markup starting at `lt`; returns where to go on.
  std::size_t Tag(std::size_t lt) {
    if (html_.substr(lt, 4) == "<!--") {
      const std::size_t end = html_.find("-->", lt + 4);
      return end == std::string_view::npos ? html_.size() : end + 3;
    }
    const bool end_tag = html_.substr(lt, 2) == "</";
    const std::size_t name_at = lt + (end_tag ? 2 : 1);
    if (name_at >= html_.size() || !IsLetter(html_[name_at])) return lt + 1;
    const std::string name = NameAt(html_, name_at);
    const std::size_t gt = TagEnd(html_, name_at);
    if (gt == std::string_view::npos) return html_.size();
    if (end_tag) {
      Close(name);
    } else if (IsOneOf(name, kRawText)) {
      return RawTextEnd(html_, gt + 1, name);
    } else if (!IsOneOf(name, kUncounted) && html_[gt - 1] != '/') {
      Open(name, lt, gt + 1);
    }
    return gt + 1;
  }

  void Open(const std::string& name, std::size_t start, std::size_t end) {
    // Without its start tag, what these hide would be shown.
    const bool hides = name == "head" || name == "template";
    if (depth_ < max_depth_ || hides) {
      ++depth_;
      ++open_[name];
      return;
    }
    if (!out_) out_.emplace();
    out_->append(html_.substr(copied_, start - copied_));
    copied_ = end;
  }

  // An end tag closes only what was opened: a stray one does not lower the
  // depth the parser sees.
  void Close(const std::string& name) {
    const auto it = open_.find(name);
    if (it == open_.end() || it->second == 0) return;
    --it->second;
    --depth_;
  }

  std::string_view html_;
  int max_depth_;
  int depth_ = 0;
  std::map<std::string, int, std::less<>> open_;
  std::optional<std::string> out_;
  std::size_t copied_ = 0;
};

}  // namespace

std::optional<std::string> LimitNesting(std::string_view html, int max_depth) {
  return NestingScan(html, max_depth).Run();
}

}  // namespace quor
