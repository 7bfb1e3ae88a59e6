#include "reference/word_deletion_reference.h"

namespace quor::reference {
namespace {

// The byte at `p`; the string's own terminator stands for the text's.
unsigned Byte(const std::string& text, std::int64_t p) {
  return static_cast<unsigned char>(text[static_cast<std::size_t>(p)]);
}

bool IsSeparator(unsigned c) { return c >= 0x01 && c <= 0x20; }

std::int64_t DeleteWordAt(std::string& text, std::int64_t p) {
  std::int64_t s = p;
  while (s != 0 && Byte(text, s) >= 0x21) --s;
  std::int64_t e = p;
  while (Byte(text, e) >= 0x21) ++e;
  if (s != e) {
    text.erase(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
  }
  return s;
}

std::int64_t RunLengthAt(const std::string& text, std::int64_t p) {
  if (Byte(text, p) == 0x20) return 1;
  std::int64_t n = 1;
  while (Byte(text, p + n) == Byte(text, p)) ++n;
  return n;
}

std::int64_t WordLengthAt(const std::string& text, std::int64_t p) {
  if (IsSeparator(Byte(text, p))) return 0;
  std::int64_t s = p;
  while (s != 0 && Byte(text, s - 1) >= 0x21) --s;
  std::int64_t e = p;
  while (Byte(text, e) >= 0x21) ++e;
  return e - s;
}

}  // namespace

std::string RemoveRepeatedCharWords(std::string text, std::int32_t limit) {
  if (limit == 0) return text;
  std::int64_t p = 0;
  while (Byte(text, p) != 0) {
    if (RunLengthAt(text, p) > limit && !IsSeparator(Byte(text, p))) {
      p = DeleteWordAt(text, p);
    } else {
      ++p;
    }
  }
  return text;
}

std::string RemoveShortWords(std::string text, std::int32_t min_length) {
  if (min_length == 0) return text;
  std::int64_t p = 0;
  while (Byte(text, p) != 0) {
    const std::int64_t length = WordLengthAt(text, p);
    if (length > 0 && length < min_length) {
      p = DeleteWordAt(text, p);
    } else {
      ++p;
    }
  }
  return text;
}

std::string RemoveWordsWithDigits(std::string text) {
  std::int64_t p = 0;
  while (Byte(text, p) != 0) {
    if (Byte(text, p) >= '0' && Byte(text, p) <= '9') {
      p = DeleteWordAt(text, p);
    } else {
      ++p;
    }
  }
  return text;
}

}  // namespace quor::reference
