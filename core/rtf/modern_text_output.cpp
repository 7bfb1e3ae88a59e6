#include "core/rtf/modern_text_output.h"

#include <utility>

#include "core/filters/cp1252_chars.h"
#include "core/rtf/modern_fields.h"

namespace quor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::string* ModernTextOutput::Destination(ModernTextTarget target) {
  switch (target) {
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

void ModernTextOutput::Char(ModernTextTarget target, char32_t c) {
  std::string* destination = Destination(target);
  if (destination == nullptr) return;
  FlushHighSurrogate(target);
  AppendCp1252OrReference(*destination, c);
}

void ModernTextOutput::Bytes(ModernTextTarget target, std::string_view bytes,
                             const ModernCodePage& page) {
  std::string* destination = Destination(target);
  if (destination == nullptr || bytes.empty()) return;
  FlushHighSurrogate(target);
  if (destination == &instruction_) {
    bytes = bytes.substr(0, kModernMaxInstruction - instruction_.size());
  }
  if (page.IsWindows1252()) {
    destination->append(bytes);
    return;
  }
  for (const char byte : bytes) {
    if (static_cast<unsigned char>(byte) < 0x80) {
      destination->push_back(byte);
    } else {
      destination->append(page.Written(static_cast<unsigned char>(byte)));
    }
  }
}

void ModernTextOutput::Unicode(ModernTextTarget target,
                               std::int32_t parameter) {
  std::int64_t value = parameter;
  if (value < 0) value += 65536;
  if (value < 0 || value > 0x10FFFF) value = kReplacement;
  const auto c = static_cast<char32_t>(value);
  std::string* destination = Destination(target);
  if (destination == nullptr) return;
  if (c >= 0xD800 && c < 0xDC00) {
    FlushHighSurrogate(target);
    high_surrogate_ = c;
    return;
  }
  if (c >= 0xDC00 && c < 0xE000) {
    const char32_t high = std::exchange(high_surrogate_, 0);
    AppendCp1252OrReference(
        *destination, high != 0
                          ? 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00)
                          : kReplacement);
    return;
  }
  Char(target, c);
}

void ModernTextOutput::LineBreak(ModernTextTarget target) {
  std::string* destination = Destination(target);
  if (destination == nullptr) return;
  FlushHighSurrogate(target);
  *destination += "\r\n";
}

void ModernTextOutput::FootnoteMark(ModernTextTarget target) {
  if (target != ModernTextTarget::kShown) return;
  FlushHighSurrogate(target);
  out_ += std::to_string(++footnotes_);
}

void ModernTextOutput::EndInstruction(ModernTextTarget target) {
  FlushHighSurrogate(target);
  if (target == ModernTextTarget::kShown) {
    out_.append(FieldDisplayText(instruction_));
  }
  instruction_.clear();
}

// A high surrogate that no low one follows stands for nothing readable.
void ModernTextOutput::FlushHighSurrogate(ModernTextTarget target) {
  if (std::exchange(high_surrogate_, 0) == 0) return;
  if (std::string* destination = Destination(target)) {
    AppendCp1252OrReference(*destination, kReplacement);
  }
}

}  // namespace quor
