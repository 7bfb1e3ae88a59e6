#include "core/rtf/modern_rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

#include "core/filters/cp1252_chars.h"
#include "core/rtf/modern_code_page.h"
#include "core/rtf/modern_control_words.h"
#include "core/rtf/modern_fields.h"
#include "core/rtf/modern_group_stack.h"

namespace quor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

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
      : source_(source), out_(out) {}

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
  void EmitByte(unsigned char byte);
  void Emit(char32_t c);
  void EmitUnicode(std::int32_t parameter);
  void EmitLineBreak();
  void FlushHighSurrogate();
  // Where text goes now; null while it is not shown.
  std::string* Target();
  void EndInstruction();

  std::string_view source_;
  std::string& out_;
  std::size_t pos_ = 0;
  ModernGroupState state_;
  ModernGroupStack enclosing_;
  // Depth inside a skipped group (0: not skipping).
  std::uint64_t skip_depth_ = 0;
  std::int64_t fallback_left_ = 0;
  char32_t high_surrogate_ = 0;
  std::string instruction_;
  std::uint64_t footnotes_ = 0;
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
  FlushHighSurrogate();
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
    EndInstruction();
  }
}

// A field without a result may still show text of its instruction.
void Reader::EndInstruction() {
  FlushHighSurrogate();
  const std::string_view shown = FieldDisplayText(instruction_);
  if (state_.target == ModernTextTarget::kShown) out_.append(shown);
  instruction_.clear();
}

std::string* Reader::Target() {
  switch (state_.target) {
    case ModernTextTarget::kShown:
      return &out_;
    case ModernTextTarget::kInstruction:
      return instruction_.size() < kModernMaxInstruction ? &instruction_
                                                         : nullptr;
    case ModernTextTarget::kHidden:
      break;
  }
  return nullptr;
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
  std::string* target = Target();
  if (target == nullptr || run.empty()) return;
  FlushHighSurrogate();
  if (target == &instruction_) {
    run = run.substr(0, kModernMaxInstruction - instruction_.size());
  }
  if (page_.IsWindows1252()) {
    target->append(run);
    return;
  }
  for (const char c : run) EmitByte(static_cast<unsigned char>(c));
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
    EmitByte(static_cast<unsigned char>(value));
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
      EmitLineBreak();
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
        instruction_.clear();
      }
      state_.target = ModernTextTarget::kInstruction;
      break;
    case kFootnoteMark:
      if (state_.target == ModernTextTarget::kShown) {
        FlushHighSurrogate();
        out_ += std::to_string(++footnotes_);
      }
      break;
    case kLineBreak:
      EmitLineBreak();
      break;
    case kTab:
      Emit('\t');
      break;
    case kChar:
      Emit(known.value);
      break;
    case kUnicode:
      EmitUnicode(word.parameter);
      fallback_left_ = state_.fallback_count;
      break;
    case kFallbackCount:
      state_.fallback_count =
          word.has_parameter ? std::max(word.parameter, 0) : 1;
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

void Reader::EmitByte(unsigned char byte) { Emit(page_[byte]); }

void Reader::Emit(char32_t c) {
  std::string* target = Target();
  if (target == nullptr) return;
  FlushHighSurrogate();
  AppendCp1252OrReference(*target, c);
}

void Reader::EmitUnicode(std::int32_t parameter) {
  std::int64_t value = parameter;
  if (value < 0) value += 65536;
  if (value < 0 || value > 0x10FFFF) value = kReplacement;
  const auto c = static_cast<char32_t>(value);
  std::string* target = Target();
  if (target == nullptr) return;
  if (c >= 0xD800 && c < 0xDC00) {
    FlushHighSurrogate();
    high_surrogate_ = c;
    return;
  }
  if (c >= 0xDC00 && c < 0xE000) {
    const char32_t high = std::exchange(high_surrogate_, 0);
    AppendCp1252OrReference(
        *target, high != 0 ? 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00)
                           : kReplacement);
    return;
  }
  Emit(c);
}

void Reader::EmitLineBreak() {
  std::string* target = Target();
  if (target == nullptr) return;
  FlushHighSurrogate();
  *target += "\r\n";
}

// A high surrogate that no low one follows stands for nothing readable.
void Reader::FlushHighSurrogate() {
  if (std::exchange(high_surrogate_, 0) == 0) return;
  if (std::string* target = Target()) {
    AppendCp1252OrReference(*target, kReplacement);
  }
}

}  // namespace

ModernRtfDamage ReadModernRtf(std::string_view source, std::string& out) {
  return Reader(source, out).Read();
}

}  // namespace quor
