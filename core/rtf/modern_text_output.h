#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/rtf/modern_code_page.h"
#include "core/rtf/modern_group_stack.h"

namespace quor {

// Where the modern reader's text goes: the document's text, a field's
// instruction kept aside, or nowhere, as the group in force says. Characters
// are written as Windows-1252 bytes or "&#N;"; a zero character never.
class ModernTextOutput {
 public:
  explicit ModernTextOutput(std::string& out) : out_(out) {}

  void Char(ModernTextTarget target, char32_t c);
  // Plain source bytes, read through `page`.
  void Bytes(ModernTextTarget target, std::string_view bytes,
             const ModernCodePage& page);
  // \uN: N below zero stands for N + 65536; surrogate pairs are joined.
  void Unicode(ModernTextTarget target, std::int32_t parameter);
  void LineBreak(ModernTextTarget target);
  // \chftn: the footnotes are numbered from 1.
  void FootnoteMark(ModernTextTarget target);

  // A field's instruction begins, or it ends inside a group whose text
  // goes to `target`: a field without a result may show part of it.
  void StartInstruction() { instruction_.clear(); }
  void EndInstruction(ModernTextTarget target);

  // Writes what is still held back; at the end of the source.
  void Finish(ModernTextTarget target) { FlushHighSurrogate(target); }

 private:
  std::string* Destination(ModernTextTarget target);
  void FlushHighSurrogate(ModernTextTarget target);

  std::string& out_;
  std::string instruction_;
  char32_t high_surrogate_ = 0;
  std::uint64_t footnotes_ = 0;
};

}  // namespace quor
