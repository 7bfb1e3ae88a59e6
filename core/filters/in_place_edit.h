#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace quor {

// Rewrites a text front to back, dropping stretches of it or replacing them by
// a single byte. The output never overtakes the input, so the text can be
// edited in its own buffer, and the bytes between two edits move down as one
// block: one sweep, however many edits. Edits must come in text order and not
// overlap; Finish() keeps the rest and cuts the text to the output.
class InPlaceEdit {
 public:
  explicit InPlaceEdit(std::string& text)
      : text_(text), out_(text.data()), kept_(text.data()) {}
  InPlaceEdit(const InPlaceEdit&) = delete;
  InPlaceEdit& operator=(const InPlaceEdit&) = delete;

  const char* begin() const { return text_.data(); }
  const char* end() const { return text_.data() + text_.size(); }

  // Drops the bytes [from, to).
  void Drop(const char* from, const char* to) {
    KeepUpTo(from);
    kept_ = to;
  }

  // Drops the bytes [from, to), which must not be empty, and writes `byte`
  // in their place.
  void Replace(const char* from, const char* to, char byte) {
    Drop(from, to);
    *out_++ = byte;
  }

  void Finish() {
    KeepUpTo(end());
    text_.resize(static_cast<std::size_t>(out_ - text_.data()));
  }

 private:
  void KeepUpTo(const char* to) {
    const auto count = static_cast<std::size_t>(to - kept_);
    if (out_ != kept_ && count != 0) std::memmove(out_, kept_, count);
    out_ += count;
  }

  std::string& text_;
  char* out_;         // end of the output so far
  const char* kept_;  // first input byte not yet in the output or dropped
};

}  // namespace quor
