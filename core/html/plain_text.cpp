#include "core/html/plain_text.h"

#include <algorithm>

#include "core/files/utf8_text.h"
#include "core/filters/cp1252_chars.h"

namespace quor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHtmlWhiteSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The character at `at`, advancing `at` past it; a byte that starts no
// well-formed sequence is one replacement character.
char32_t NextChar(std::string_view utf8, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(utf8[at]);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  char32_t c = 0;
  const std::size_t length = DecodeUtf8Sequence(utf8.substr(at), c);
  at += length == 0 ? 1 : length;
  return length == 0 ? kReplacement : c;
}

// The end of the run of visible ASCII characters from `at`.
std::size_t AsciiRunEnd(std::string_view utf8, std::size_t at) {
  while (at < utf8.size()) {
    const auto byte = static_cast<unsigned char>(utf8[at]);
    if (byte <= ' ' || byte >= 0x7F) break;
    ++at;
  }
  return at;
}

}  // namespace

void PlainText::AddText(std::string_view utf8, bool preformatted) {
  std::size_t at = 0;
  while (at < utf8.size()) {
    // Runs of plain ASCII are most of a page; they go over as they are.
    const std::size_t run_end = AsciiRunEnd(utf8, at);
    if (run_end > at) {
      BeforeVisible();
      out_.append(utf8.substr(at, run_end - at));
      at = run_end;
      continue;
    }
    const char32_t c = NextChar(utf8, at);
    if (IsHtmlWhiteSpace(c)) {
      AddWhiteSpace(c, preformatted);
      continue;
    }
    // A zero character has no byte and would end the document; it is left
    // out before it could start a line.
    if (c == 0) continue;
    BeforeVisible();
    if (utf8_out_) {
      AppendUtf8(c, out_);
    } else {
      AppendCp1252OrReference(out_, c);
    }
  }
}

void PlainText::AddWhiteSpace(char32_t c, bool preformatted) {
  if (!preformatted) {
    // A blank counts only between visible characters of one line.
    if (!out_.empty() && line_ends_at_end_ == 0 && required_line_ends_ == 0) {
      pending_blank_ = true;
    }
    return;
  }
  if (c == '\n' || c == '\r') {
    // The parser has turned CR LF and lone CR into LF already.
    if (c == '\n') AddLineBreak();
    return;
  }
  BeforeVisible();
  out_.push_back(static_cast<char>(c));
}

void PlainText::BeforeVisible() {
  AddRequiredLineEnds();
  if (pending_tabs_ > 0) {
    out_.append(static_cast<std::size_t>(pending_tabs_), '\t');
    pending_tabs_ = 0;
    pending_blank_ = false;
  }
  if (pending_blank_) out_.push_back(' ');
  pending_blank_ = false;
  line_ends_at_end_ = 0;
}

void PlainText::AddLineEnd() {
  out_ += "\r\n";
  ++line_ends_at_end_;
}

void PlainText::RequireLineEnds(int count) {
  required_line_ends_ = std::max(required_line_ends_, count);
  pending_tabs_ = 0;
  pending_blank_ = false;
}

void PlainText::AddRequiredLineEnds() {
  if (!out_.empty()) {
    while (line_ends_at_end_ < required_line_ends_) AddLineEnd();
  }
  required_line_ends_ = 0;
}

void PlainText::AddLineBreak() {
  AddRequiredLineEnds();
  pending_tabs_ = 0;
  pending_blank_ = false;
  AddLineEnd();
}

void PlainText::EndCell() { ++pending_tabs_; }

std::string PlainText::Finish() {
  if (!out_.empty() && line_ends_at_end_ == 0) AddLineEnd();
  return std::move(out_);
}

}  // namespace quor
