#include "reference/case_reference.h"

#include <cctype>

#include "reference/replace_reference.h"

namespace quor::reference {

// The program never sets a locale, so <cctype> works with the C locale's
// table here.

std::string ToUpperCase(std::string text) {
  for (char& c : text) {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  text = ReplaceAll(text, "\xE4", "\xC4");
  text = ReplaceAll(text, "\xF6", "\xD6");
  return ReplaceAll(text, "\xFC", "\xDC");
}

std::string ToLowerCase(std::string text) {
  for (char& c : text) {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  text = ReplaceAll(text, "\xC4", "\xE4");
  text = ReplaceAll(text, "\xD6", "\xF6");
  return ReplaceAll(text, "\xDC", "\xFC");
}

}  // namespace quor::reference
