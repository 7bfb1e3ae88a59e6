#include "core/rtf/control_words.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quor {
namespace {

constexpr ControlWordEntry Word(int major, int minor, std::string_view name) {
  return {major, minor, name, ControlWordNameSum(name)};
}

// clang-format off
constexpr std::array<ControlWordEntry, kControlWordCount> kTable = {{
    Word(0, -1, "rtf"),
    Word(1, -1, "deff"),

    Word(2, 0, "ansi"), Word(2, 1, "mac"), Word(2, 2, "pc"), Word(2, 3, "pca"),

    Word(3, 0, "pict"),
    Word(3, 1, "NeXTGraphic"),
    Word(3, 2, "footnote"),
    Word(3, 3, "header"), Word(3, 4, "headerl"), Word(3, 5, "headerr"),
    Word(3, 6, "headerf"),
    Word(3, 7, "footer"), Word(3, 8, "footerl"), Word(3, 9, "footerr"),
    Word(3, 10, "footerf"),
    Word(3, 11, "ftnsep"), Word(3, 12, "ftnsepc"), Word(3, 13, "ftncn"),
    Word(3, 14, "info"),
    Word(3, 15, "stylesheet"),
    Word(3, 16, "fonttbl"),
    Word(3, 17, "colortbl"), Word(3, 17, "annotation"),
    Word(3, 18, "atnid"), Word(3, 18, "field"),
    Word(3, 19, "fldinst"), Word(3, 20, "fldrslt"),
    Word(3, 21, "xe"), Word(3, 22, "bxe"), Word(3, 23, "ixe"),
    Word(3, 24, "txe"), Word(3, 25, "rxe"),
    Word(3, 26, "tc"),
    Word(3, 27, "bkmkstart"), Word(3, 28, "bkmkend"),
    Word(3, 29, "title"), Word(3, 30, "subject"), Word(3, 31, "author"),
    Word(3, 32, "operator"), Word(3, 33, "keywords"), Word(3, 34, "comment"),
    Word(3, 35, "version"), Word(3, 36, "doccomm"),

    Word(4, 0, "fnil"), Word(4, 1, "froman"), Word(4, 2, "fswiss"),
    Word(4, 3, "fmodern"), Word(4, 4, "fscript"), Word(4, 5, "fdecor"),
    Word(4, 6, "ftech"),

    Word(5, 0, "red"), Word(5, 1, "green"), Word(5, 2, "blue"),

    Word(6, 0, "chpgn"), Word(6, 1, "chftn"), Word(6, 2, "chpict"),
    Word(6, 3, "chdate"), Word(6, 4, "chtime"),
    Word(6, 5, "|"), Word(6, 6, "~"), Word(6, 7, "-"), Word(6, 8, "_"),
    Word(6, 9, "page"), Word(6, 10, "line"),
    Word(6, 11, "par"), Word(6, 11, "\n"), Word(6, 11, "\r"),
    Word(6, 12, "sect"), Word(6, 13, "tab"), Word(6, 14, "cell"),
    Word(6, 15, "row"),
    Word(6, 19, "chatn"), Word(6, 20, "chftnsep"), Word(6, 21, "chftnsepc"),
    Word(6, 22, "column"),
    Word(6, 23, "*"),
    Word(6, 24, "vern"), Word(6, 25, "creatim"), Word(6, 26, "revtim"),
    Word(6, 27, "printim"), Word(6, 28, "buptim"), Word(6, 29, "edmins"),
    Word(6, 30, "yr"), Word(6, 31, "mo"), Word(6, 32, "dy"), Word(6, 33, "hr"),
    Word(6, 34, "min"),
    Word(6, 35, "nofpages"), Word(6, 36, "nofwords"), Word(6, 37, "nofchars"),
    Word(6, 38, "id"),

    Word(7, 0, "sbasedon"), Word(7, 1, "snext"),

    Word(8, 0, "paperw"), Word(8, 1, "paperh"), Word(8, 2, "margl"),
    Word(8, 3, "margr"), Word(8, 4, "margt"), Word(8, 5, "margb"),
    Word(8, 6, "facingp"), Word(8, 7, "gutter"), Word(8, 8, "deftab"),
    Word(8, 9, "widowctrl"), Word(8, 10, "hyphhotz"), Word(8, 11, "endnotes"),
    Word(8, 12, "enddoc"), Word(8, 13, "ftntj"), Word(8, 14, "ftnbj"),
    Word(8, 15, "ftnstart"), Word(8, 16, "ftnrestart"),
    Word(8, 17, "pgnstart"), Word(8, 18, "linestart"),
    Word(8, 19, "landscape"), Word(8, 20, "fracwidth"),
    Word(8, 21, "nextfile"), Word(8, 22, "template"), Word(8, 23, "makeback"),
    Word(8, 24, "defformat"), Word(8, 25, "revisions"),
    Word(8, 26, "margmirror"), Word(8, 27, "revprop"), Word(8, 28, "revbar"),

    Word(9, 0, "sectd"), Word(9, 1, "sbknone"), Word(9, 2, "sbkcol"),
    Word(9, 3, "sbkpage"), Word(9, 4, "sbkeven"), Word(9, 5, "sbkodd"),
    Word(9, 6, "pgnstarts"), Word(9, 7, "pgncont"), Word(9, 8, "pgnrestart"),
    Word(9, 9, "pgndec"), Word(9, 10, "pgnucrm"), Word(9, 11, "pgnlcrm"),
    Word(9, 12, "pgnucltr"), Word(9, 13, "pgnlcltr"), Word(9, 14, "pgnx"),
    Word(9, 15, "pgny"), Word(9, 16, "headery"), Word(9, 17, "footery"),
    Word(9, 18, "linemod"), Word(9, 19, "linex"), Word(9, 20, "linestarts"),
    Word(9, 21, "linerestart"), Word(9, 22, "lineppage"),
    Word(9, 23, "linecont"), Word(9, 24, "vertalt"), Word(9, 25, "vertal"),
    Word(9, 26, "vertalc"), Word(9, 27, "vertalj"), Word(9, 28, "cols"),
    Word(9, 29, "colsx"), Word(9, 30, "linebetcol"), Word(9, 31, "endnhere"),
    Word(9, 32, "titlepg"),

    Word(10, 0, "clbrdrb"), Word(10, 1, "clbrdrt"), Word(10, 2, "clbrdrl"),
    Word(10, 3, "clbrdrr"), Word(10, 4, "trowd"), Word(10, 5, "trql"),
    Word(10, 6, "trqr"), Word(10, 7, "trqc"), Word(10, 8, "trgaph"),
    Word(10, 9, "trrh"), Word(10, 10, "trleft"), Word(10, 11, "cellx"),
    Word(10, 12, "clmgf"), Word(10, 13, "clmrg"),

    Word(11, 0, "pard"), Word(11, 1, "s"), Word(11, 2, "ql"),
    Word(11, 3, "qr"), Word(11, 4, "qj"), Word(11, 5, "qc"),
    Word(11, 6, "fi"), Word(11, 7, "li"), Word(11, 8, "ri"),
    Word(11, 9, "sb"), Word(11, 10, "sa"), Word(11, 11, "sl"),
    Word(11, 12, "intbl"), Word(11, 13, "keep"), Word(11, 14, "keepn"),
    Word(11, 15, "sbys"), Word(11, 16, "pagebb"), Word(11, 17, "noline"),
    Word(11, 18, "tx"), Word(11, 19, "tqr"), Word(11, 20, "tqc"),
    Word(11, 21, "tqdec"), Word(11, 22, "tb"), Word(11, 23, "brdrt"),
    Word(11, 24, "brdrb"), Word(11, 25, "brdrl"), Word(11, 26, "brdrr"),
    Word(11, 27, "box"), Word(11, 28, "bar"), Word(11, 29, "brdrbtw"),
    Word(11, 30, "brdrs"), Word(11, 31, "brdrth"), Word(11, 32, "brdrsh"),
    Word(11, 33, "brdrdb"), Word(11, 34, "brdrdot"), Word(11, 35, "brdrhair"),
    Word(11, 36, "brsp"), Word(11, 37, "tldot"), Word(11, 38, "tlhyph"),
    Word(11, 39, "tlul"), Word(11, 40, "tlth"),

    Word(12, 0, "plain"), Word(12, 1, "b"), Word(12, 2, "i"),
    Word(12, 3, "strike"), Word(12, 4, "outl"), Word(12, 5, "shad"),
    Word(12, 6, "scaps"), Word(12, 7, "caps"), Word(12, 8, "v"),
    Word(12, 9, "f"), Word(12, 10, "fs"), Word(12, 11, "expnd"),
    Word(12, 12, "ul"), Word(12, 13, "ulw"), Word(12, 14, "uld"),
    Word(12, 15, "uldb"), Word(12, 16, "ulnone"), Word(12, 17, "up"),
    Word(12, 18, "dn"), Word(12, 19, "revised"), Word(12, 20, "cf"),
    Word(12, 21, "cb"), Word(12, 22, "gray"),

    Word(13, 0, "macpict"), Word(13, 1, "wmetafile"), Word(13, 2, "wbitmap"),
    Word(13, 3, "picw"), Word(13, 4, "pich"),
    Word(13, 5, "picwgoal"), Word(13, 5, "picwGoal"),
    Word(13, 6, "pichgoal"), Word(13, 6, "pichGoal"),
    Word(13, 7, "picscalex"), Word(13, 8, "picscaley"),
    Word(13, 9, "picscaled"), Word(13, 10, "piccropt"),
    Word(13, 11, "piccropb"), Word(13, 12, "piccropl"),
    Word(13, 13, "piccropr"), Word(13, 14, "wbmbitspixel"),
    Word(13, 15, "wbmplanes"), Word(13, 16, "wbmwidthbytes"),
    Word(13, 17, "bin"),

    Word(14, 0, "width"), Word(14, 1, "height"),

    Word(15, 0, "flddirty"), Word(15, 1, "fldedit"), Word(15, 2, "fldlock"),
    Word(15, 3, "fldpriv"),

    Word(16, 0, "tcf"), Word(16, 1, "tcl"),

    Word(17, 0, "posx"), Word(17, 1, "posxc"), Word(17, 2, "posxi"),
    Word(17, 3, "posxl"), Word(17, 4, "posxo"), Word(17, 5, "posxr"),
    Word(17, 6, "posy"), Word(17, 7, "posyil"), Word(17, 8, "posyt"),
    Word(17, 9, "posyc"), Word(17, 10, "posyb"), Word(17, 11, "absw"),
    Word(17, 12, "dxfrtext"), Word(17, 13, "pvmrg"), Word(17, 14, "pvpg"),
    Word(17, 15, "phmrg"), Word(17, 16, "phpg"), Word(17, 17, "phcol"),
}};
// clang-format on

constexpr std::size_t kLongestName =
    std::max_element(kTable.begin(), kTable.end(),
                     [](const ControlWordEntry& a, const ControlWordEntry& b) {
                       return a.name.size() < b.name.size();
                     })
        ->name.size();

constexpr int kLargestSum =
    std::max_element(kTable.begin(), kTable.end(),
                     [](const ControlWordEntry& a, const ControlWordEntry& b) {
                       return a.name_sum < b.name_sum;
                     })
        ->name_sum;

// The entries chained by name sum, in table order: a lookup compares names
// only along the chain of its sum, which is the table walk without the
// entries it would skip anyway.
struct SumIndex {
  std::array<std::int16_t, kLargestSum + 1> first;
  std::array<std::int16_t, kControlWordCount> next;
};

constexpr SumIndex BuildSumIndex() {
  SumIndex index{};
  index.first.fill(-1);
  index.next.fill(-1);
  std::array<std::int16_t, kLargestSum + 1> last{};
  last.fill(-1);
  for (std::size_t i = 0; i < kTable.size(); ++i) {
    const auto sum = static_cast<std::size_t>(kTable[i].name_sum);
    const auto entry = static_cast<std::int16_t>(i);
    if (last[sum] < 0) {
      index.first[sum] = entry;
    } else {
      index.next[static_cast<std::size_t>(last[sum])] = entry;
    }
    last[sum] = entry;
  }
  return index;
}

constexpr SumIndex kSumIndex = BuildSumIndex();

}  // namespace

std::span<const ControlWordEntry> ControlWordTable() { return kTable; }

const ControlWordEntry* FindControlWord(std::string_view name) {
  if (name.size() > kLongestName) return nullptr;
  const int sum = ControlWordNameSum(name);
  if (sum < 0 || sum > kLargestSum) return nullptr;
  for (int i = kSumIndex.first[static_cast<std::size_t>(sum)]; i >= 0;
       i = kSumIndex.next[static_cast<std::size_t>(i)]) {
    const ControlWordEntry& entry = kTable[static_cast<std::size_t>(i)];
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace quor
