#include "core/rtf/modern_rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/rtf/modern_code_page.h"
#include "core/rtf/modern_control_words.h"
#include "core/rtf/modern_group_stack.h"
#include "core/rtf/modern_text_output.h"

namespace quor {
namespace {

// Bytes that end a run of plain text.
constexpr auto kTextStops = [] {
  std::array<bool, 256> stops{};
  for (const char c : {'\\', '{', '}', '\r', '\n', '\0'}) {
    stops[static_cast<unsigned char>(c)] = true;
  }
  return stops;
}();

// Bytes that matter inside a skipped group.
constexpr auto kSkipStops = [] {
  std::array<bool, 256> stops{};
  for (const char c : {'\\', '{', '}'}) {
    stops[static_cast<unsigned char>(c)] = true;
  }
  return stops;
}();

constexpr bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr int HexValue(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct ControlWord {
  std::string_view name;
  bool has_parameter = false;
  std::int32_t parameter = 0;
};

class Reader {
 public:
  Reader(std::string_view source, std::string& out)
      : source_(source), output_(out) {}

  ModernRtfDamage Read();

 private:
  bool AtEnd() const { return pos_ >= source_.size(); }
  unsigned char Peek() const {
    return static_cast<unsigned char>(source_[pos_]);
  }

  void OpenGroup();
  void CloseGroup();
  void ReadText();
  void ReadControl();
  void ReadSymbol(unsigned char symbol);
  ControlWord ScanControlWord();
  void Apply(const ControlWord& word);
  void SkipGroup();
  void SkipBinary(std::int32_t count);

  // A fallback unit after \uN: consumed without output when one is due.
  bool TakeFallbackUnit();
  void Emit(char32_t c) { output_.Char(state_.target, c); }

  std::string_view source_;
  ModernTextOutput output_;
  std::size_t pos_ = 0;
  ModernGroupState state_;
  ModernGroupStack enclosing_;
  // Depth inside a skipped group (0: not skipping).
  std::uint64_t skip_depth_ = 0;
  std::int64_t fallback_left_ = 0;
  bool destination_mark_ = false;  // \* before the next control word
  ModernCodePages pages_;
  ModernCodePage page_;
  ModernRtfDamage damage_;
};

ModernRtfDamage Reader::Read() {
  while (!AtEnd()) {
    if (skip_depth_ > 0) {
      SkipGroup();
      continue;
    }
    switch (Peek()) {
      case '{':
        ++pos_;
        OpenGroup();
        break;
      case '}':
        ++pos_;
        CloseGroup();
        break;
      case '\\':
        ++pos_;
        ReadControl();
        break;
      case '\r':
      case '\n':
      case '\0':
        ++pos_;
        break;
      default:
        ReadText();
    }
  }
  output_.Finish(state_.target);
  if (!enclosing_.empty() || skip_depth_ > 0) damage_.truncated = true;
  return damage_;
}

void Reader::OpenGroup() {
  enclosing_.Push(state_);
  fallback_left_ = 0;
  destination_mark_ = false;
}

void Reader::CloseGroup() {
  fallback_left_ = 0;
  destination_mark_ = false;
  if (enclosing_.empty()) {
    damage_.unbalanced = true;
    return;
  }
  const bool in_instruction = state_.target == ModernTextTarget::kInstruction;
  state_ = enclosing_.Pop();
  if (in_instruction && state_.target != ModernTextTarget::kInstruction) {
    output_.EndInstruction(state_.target);
  }
}

void Reader::ReadText() {
  destination_mark_ = false;
  const std::size_t start = pos_;
  while (!AtEnd() && !kTextStops[Peek()]) ++pos_;
  std::string_view run = source_.substr(start, pos_ - start);
  if (fallback_left_ > 0) {
    const auto skipped = static_cast<std::size_t>(
        std::min<std::int64_t>(fallback_left_, std::ssize(run)));
    fallback_left_ -= static_cast<std::int64_t>(skipped);
    run.remove_prefix(skipped);
  }
  output_.Bytes(state_.target, run, page_);
}

void Reader::ReadControl() {
  if (AtEnd()) {
    damage_.truncated = true;
    return;
  }
  const unsigned char c = Peek();
  if (IsLetter(c)) {
    Apply(ScanControlWord());
    return;
  }
  ++pos_;
  ReadSymbol(c);
}

void Reader::ReadSymbol(unsigned char symbol) {
  if (symbol == '*') {
    destination_mark_ = true;
    return;
  }
  destination_mark_ = false;
  if (symbol == '\'') {
    int value = -1;
    if (source_.size() - pos_ >= 2) {
      const int high = HexValue(Peek());
      const int low = HexValue(static_cast<unsigned char>(source_[pos_ + 1]));
      if (high >= 0 && low >= 0) {
        value = high * 16 + low;
        pos_ += 2;
      }
    } else {
      damage_.truncated = true;
    }
    if (TakeFallbackUnit() || value < 0) return;
    Emit(page_[static_cast<unsigned char>(value)]);
    return;
  }
  if (TakeFallbackUnit()) return;
  switch (symbol) {
    case '\\':
    case '{':
    case '}':
      Emit(symbol);
      break;
    case '~':
      Emit(0xA0);
      break;
    case '_':
      Emit('-');
      break;
    case '\r':
    case '\n':
      output_.LineBreak(state_.target);
      break;
    case '\t':
      Emit('\t');
      break;
    default:  // \- optional hyphen, \| and \: index marks, unknown symbols
      break;
  }
}

ControlWord Reader::ScanControlWord() {
  ControlWord word;
  const std::size_t start = pos_;
  while (!AtEnd() && IsLetter(Peek())) ++pos_;
  word.name = source_.substr(start, pos_ - start);
  const bool negative = !AtEnd() && Peek() == '-' &&
                        pos_ + 1 < source_.size() &&
                        IsDigit(static_cast<unsigned char>(source_[pos_ + 1]));
  if (negative) ++pos_;
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  while (!AtEnd() && IsDigit(Peek())) {
    word.has_parameter = true;
    value = std::min(value * 10 + (Peek() - '0'), kLimit);
    ++pos_;
  }
  word.parameter = static_cast<std::int32_t>(negative ? -value : value);
  if (!AtEnd() && Peek() == ' ') ++pos_;
  return word;
}

void Reader::Apply(const ControlWord& word) {
  const ModernControlWord known =
      word.name.size() <= kModernMaxControlWord
          ? LookUpModernControlWord(word.name)
          : ModernControlWord{word.name, ModernAction::kIgnore};
  using enum ModernAction;
  if (known.action == kBinary) {
    SkipBinary(word.parameter);
    return;
  }
  const bool is_destination =
      known.action == kSkipGroup || known.action == kTextGroup ||
      known.action == kHiddenGroup || known.action == kInstructionGroup;
  if (std::exchange(destination_mark_, false) && !is_destination) {
    // A destination this reader does not know: none of it is text.
    skip_depth_ = 1;
    return;
  }
  if (TakeFallbackUnit()) return;
  switch (known.action) {
    case kIgnore:
    case kBinary:
      break;
    case kSkipGroup:
      skip_depth_ = 1;
      break;
    case kTextGroup:
      state_.target = ModernTextTarget::kShown;
      break;
    case kHiddenGroup:
      state_.target = ModernTextTarget::kHidden;
      break;
    case kInstructionGroup:
      if (state_.target != ModernTextTarget::kInstruction) {
        output_.StartInstruction();
      }
      state_.target = ModernTextTarget::kInstruction;
      break;
    case kFootnoteMark:
      output_.FootnoteMark(state_.target);
      break;
    case kLineBreak:
      output_.LineBreak(state_.target);
      break;
    case kTab:
      Emit('\t');
      break;
    case kChar:
      Emit(known.value);
      break;
    case kUnicode:
      output_.Unicode(state_.target, word.parameter);
      fallback_left_ = state_.fallback_count;
      break;
    case kFallbackCount:
      // Writers use 0 to 2; more than 255 fallback units mean damage.
      state_.fallback_count = static_cast<std::uint8_t>(
          word.has_parameter ? std::clamp(word.parameter, 0, 255) : 1);
      break;
    case kCodePage:
      page_ =
          pages_.Get(known.value != 0 ? static_cast<std::int32_t>(known.value)
                                      : word.parameter);
      break;
  }
}

// Runs through a skipped group's bytes until it closes; only braces,
// escapes and binary data matter there.
void Reader::SkipGroup() {
  while (!AtEnd()) {
    const unsigned char c = Peek();
    if (!kSkipStops[c]) {
      ++pos_;
      continue;
    }
    ++pos_;
    if (c == '{') {
      ++skip_depth_;
    } else if (c == '}') {
      if (--skip_depth_ == 0) {
        CloseGroup();
        return;
      }
    } else if (!AtEnd() && IsLetter(Peek())) {
      const ControlWord word = ScanControlWord();
      if (word.name == "bin") SkipBinary(word.parameter);
    } else if (!AtEnd()) {
      ++pos_;  // an escaped brace or backslash is no group mark
    }
  }
}

void Reader::SkipBinary(std::int32_t count) {
  destination_mark_ = false;
  const auto wanted = static_cast<std::size_t>(std::max(count, 0));
  if (wanted > source_.size() - pos_) damage_.truncated = true;
  pos_ += std::min(wanted, source_.size() - pos_);
}

bool Reader::TakeFallbackUnit() {
  if (fallback_left_ == 0) return false;
  --fallback_left_;
  return true;
}

}  // namespace

ModernRtfDamage ReadModernRtf(std::string_view source, std::string& out) {
  return Reader(source, out).Read();
}

}  // namespace quor
