#include "core/rtf/destination_readers.h"

#include <array>
#include <cstdint>
#include <new>
#include <stdexcept>

#include "core/rtf/control_words.h"

namespace quor {
namespace {

// Collects a font or style name: the low 8 bits of each code, zero
// included, up to kMaxTokenText of them; the rest of a longer name is
// dropped.
class NameBuffer {
 public:
  void Append(int code) {
    if (size_ < bytes_.size()) {
      bytes_[size_++] = static_cast<char>(code & 0xFF);
    }
  }
  std::string_view view() const { return {bytes_.data(), size_}; }

 private:
  std::array<char, kMaxTokenText> bytes_;
  std::size_t size_ = 0;
};

// A new record at the end of `list`, or nullptr when memory ran out.
template <typename List>
typename List::value_type* Add(List& list) {
  try {
    return &list.emplace_back();
  } catch (const std::bad_alloc&) {
    return nullptr;
  } catch (const std::length_error&) {
    return nullptr;
  }
}

std::optional<std::string> CopyOf(std::string_view bytes) {
  try {
    return std::string(bytes);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

bool IsText(const RtfToken& token, char c) {
  return token.Is(TokenClass::kText, c);
}

}  // namespace

void SkipCurrentGroup(RtfTokenReader& reader) {
  std::int64_t depth = 1;
  for (;;) {
    // Plain text cannot hold a brace: pictures are mostly hex digits.
    reader.TakePlainText();
    if (reader.NextToken() == TokenClass::kEnd) return;
    const RtfToken& token = reader.token();
    if (token.IsOpeningBrace()) {
      ++depth;
    } else if (token.IsClosingBrace() && --depth < 1) {
      return;
    }
  }
}

bool RtfDestinationReaders::ReadDestination(int code) {
  switch (code) {
    case kRtfPict:
    case kRtfInfo:
      SkipCurrentGroup(reader_);
      return true;
    case kRtfStyleSheet:
      ReadStyleSheet();
      return true;
    case kRtfFontTable:
      ReadFontTable();
      return true;
    case kRtfColorTable:  // and annotation
      ReadColorTable();
      return true;
    default:
      return false;
  }
}

// Entries come braced, {\f0\froman Times;}{\f1\fswiss Arial;}, or unbraced,
// \f0\froman Times;\f1\fswiss Arial; and the first entry tells which.
void RtfDestinationReaders::ReadFontTable() {
  enum class Form { kUndetermined, kBraced, kUnbraced };
  Form form = Form::kUndetermined;
  for (;;) {
    if (!Next() || token().IsClosingBrace()) return;
    if (form == Form::kUndetermined) {
      if (token().IsControl(kRtfCharacterAttribute, kRtfFontNumber)) {
        form = Form::kUnbraced;
      } else if (token().IsOpeningBrace()) {
        form = Form::kBraced;
      } else {
        Report("FTErr - Cannot determine format");
      }
    }
    if (form == Form::kBraced) {
      if (!token().IsOpeningBrace()) Report("FTErr - missing \"{\"");
      if (!Next()) return;
    }
    FontEntry unkept;
    FontEntry* font = Add(fonts_);
    if (font == nullptr) {
      Report("FTErr - cannot allocate font entry");
      font = &unkept;
    }
    if (!token().IsControl(kRtfCharacterAttribute, kRtfFontNumber)) {
      Report("FTErr - missing font number");
    }
    font->number = token().parameter;
    if (!Next()) return;
    if (!token().Is(TokenClass::kControl, kRtfFontFamily)) {
      Report("FTErr - missing font family");
    }
    // Taken from whatever token stands here, as a malformed entry has it.
    font->family = token().minor;
    NameBuffer name;
    if (!Next()) return;
    while (token().token_class == TokenClass::kText && !IsText(token(), ';')) {
      name.Append(token().major);
      if (!Next()) return;
    }
    if (name.view().empty()) Report("FTErr - missing font name");
    font->name = CopyOf(name.view());
    if (!font->name) Report("FTErr - cannot allocate font name");
    if (form == Form::kBraced) {
      if (!Next()) return;
      if (!token().IsClosingBrace()) Report("FTErr - missing \"}\"");
    }
  }
}

// Entries are colour words ended by ";". A closing brace ends the table only
// where an entry would start; after colour words it is a malformed entry.
void RtfDestinationReaders::ReadColorTable() {
  std::int64_t index = 0;
  for (;;) {
    if (!Next() || token().IsClosingBrace()) return;
    ColorEntry unkept;
    ColorEntry* color = Add(colors_);
    if (color == nullptr) {
      Report("CTErr - cannot allocate color entry");
      color = &unkept;
    }
    color->index = index++;
    while (token().Is(TokenClass::kControl, kRtfColor)) {
      switch (token().minor) {
        case kRtfRed:
          color->red = token().parameter;
          break;
        case kRtfGreen:
          color->green = token().parameter;
          break;
        case kRtfBlue:
          color->blue = token().parameter;
          break;
      }
      if (!Next()) return;
    }
    if (!IsText(token(), ';')) Report("CTErr - malformed entry");
  }
}

void RtfDestinationReaders::ReadStyleSheet() {
  for (;;) {
    if (!Next() || token().IsClosingBrace()) return;
    StyleEntry unkept;
    StyleEntry* style = Add(styles_);
    if (style == nullptr) {
      Report("SSErr - cannot allocate stylesheet entry");
      style = &unkept;
    }
    if (!token().IsOpeningBrace()) Report("SSErr - missing \"{\"");
    if (!Next()) return;
    // Any recognised word belongs to the entry; an unrecognised one ends it.
    while (token().token_class == TokenClass::kControl) {
      if (token().IsControl(kRtfParagraphAttribute, kRtfStyleNumber)) {
        style->number = token().parameter;
      } else if (token().IsControl(kRtfStyleAttribute, kRtfBasedOn)) {
        style->based_on = token().parameter;
      } else if (token().IsControl(kRtfStyleAttribute, kRtfNext)) {
        style->next = token().parameter;
      } else {
        AddAttribute(*style);
      }
      if (!Next()) return;
    }
    if (style->next == -1) style->next = style->number;
    if (token().token_class != TokenClass::kText) {
      Report("SSErr - missing style name");
    }
    NameBuffer name;
    while (token().token_class == TokenClass::kText) {
      const bool end_of_name = IsText(token(), ';');
      if (!end_of_name) name.Append(token().major);
      if (!Next()) return;
      if (end_of_name) break;
    }
    if (style->number < 0) {
      // Only the default style may go without a number.
      if (name.view() != "Normal") Report("SSErr - missing style number");
      style->number = 0;
    }
    style->name = CopyOf(name.view());
    if (!style->name) Report("SSErr - cannot allocate style name");
    if (!token().IsClosingBrace()) Report("SSErr - missing \"}\"");
  }
}

void RtfDestinationReaders::AddAttribute(StyleEntry& style) {
  StyleAttribute* attribute = Add(style.attributes);
  if (attribute == nullptr) {
    Report("SSErr - cannot allocate style element");
    return;
  }
  attribute->token_class = token().token_class;
  attribute->major = token().major;
  attribute->minor = token().minor;
  attribute->parameter = token().parameter;
  attribute->text = CopyOf(token().text);
  if (!attribute->text) Report("SSErr - cannot allocate style element text");
}

}  // namespace quor
