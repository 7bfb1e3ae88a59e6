#include "core/rtf/modern_control_words.h"

#include <algorithm>
#include <array>

namespace quor {
namespace {

using enum ModernAction;

// Sorted by name for the binary search below.
constexpr std::array kWords = std::to_array<ModernControlWord>({
    {"aftncn", kSkipGroup},
    {"aftnsep", kSkipGroup},
    {"aftnsepc", kSkipGroup},
    {"ansi", kCodePage, 1252},
    {"ansicpg", kCodePage},
    {"author", kSkipGroup},
    {"bin", kBinary},
    {"bullet", kChar, 0x2022},
    {"cell", kTab},
    {"chftn", kFootnoteMark},
    {"colorschememapping", kSkipGroup},
    {"colortbl", kSkipGroup},
    {"comment", kSkipGroup},
    {"datastore", kSkipGroup},
    {"doccomm", kSkipGroup},
    {"emdash", kChar, 0x2014},
    {"emspace", kChar, ' '},
    {"endash", kChar, 0x2013},
    {"enspace", kChar, ' '},
    {"fldinst", kInstructionGroup},
    {"fldrslt", kTextGroup},
    {"fonttbl", kSkipGroup},
    {"footer", kSkipGroup},
    {"footerf", kSkipGroup},
    {"footerl", kSkipGroup},
    {"footerr", kSkipGroup},
    {"footnote", kSkipGroup},
    {"ftncn", kSkipGroup},
    {"ftnsep", kSkipGroup},
    {"ftnsepc", kSkipGroup},
    {"generator", kSkipGroup},
    {"header", kSkipGroup},
    {"headerf", kSkipGroup},
    {"headerl", kSkipGroup},
    {"headerr", kSkipGroup},
    {"info", kSkipGroup},
    {"keywords", kSkipGroup},
    {"latentstyles", kSkipGroup},
    {"ldblquote", kChar, 0x201C},
    {"line", kLineBreak},
    {"listoverridetable", kSkipGroup},
    {"listtable", kSkipGroup},
    {"lquote", kChar, 0x2018},
    {"mac", kCodePage, 10000},
    {"nestcell", kTab},
    {"nestrow", kLineBreak},
    {"nonshppict", kSkipGroup},
    {"objdata", kSkipGroup},
    {"operator", kSkipGroup},
    {"page", kLineBreak},
    {"par", kLineBreak},
    {"pc", kCodePage, 437},
    {"pca", kCodePage, 850},
    {"pgdsctbl", kSkipGroup},
    {"pict", kSkipGroup},
    {"pntxta", kSkipGroup},
    {"pntxtb", kSkipGroup},
    {"qmspace", kChar, ' '},
    {"rdblquote", kChar, 0x201D},
    {"revtbl", kSkipGroup},
    {"row", kLineBreak},
    {"rquote", kChar, 0x2019},
    {"rsidtbl", kSkipGroup},
    {"sect", kLineBreak},
    {"stylesheet", kSkipGroup},
    {"subject", kSkipGroup},
    {"tab", kTab},
    {"tc", kSkipGroup},
    {"tcn", kSkipGroup},
    {"themedata", kSkipGroup},
    {"title", kSkipGroup},
    {"txe", kSkipGroup},
    {"u", kUnicode},
    {"uc", kFallbackCount},
    {"ud", kTextGroup},
    {"upr", kHiddenGroup},
    {"xe", kSkipGroup},
    {"xmlnstbl", kSkipGroup},
});

static_assert(std::ranges::is_sorted(kWords, {}, &ModernControlWord::name));
static_assert(std::ranges::all_of(kWords, [](const ModernControlWord& w) {
  return w.name.size() <= kModernMaxControlWord;
}));

}  // namespace

ModernControlWord LookUpModernControlWord(std::string_view name) {
  const auto* it =
      std::ranges::lower_bound(kWords, name, {}, &ModernControlWord::name);
  if (it != kWords.end() && it->name == name) return *it;
  return {name, kIgnore};
}

}  // namespace quor
