// Writes a benchmark corpus (plain German text, or the same dressed as HTML or
// RTF) of the given size in megabytes to a file, for the script that compares
// whole batch runs with other tools.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "corpus.h"

int main(int argc, char** argv) {
  const std::string_view kind = argc == 4 ? argv[1] : "";
  if (kind != "text" && kind != "html" && kind != "rtf") {
    std::fprintf(stderr, "usage: make_corpus text|html|rtf MEGABYTES FILE\n");
    return 2;
  }
  const std::size_t size = std::strtoul(argv[2], nullptr, 10) << 20;
  const std::string text = kind == "html"  ? quor::bench::HtmlText(size)
                           : kind == "rtf" ? quor::bench::RtfText(size)
                                           : quor::bench::GermanText(size);
  std::FILE* out = std::fopen(argv[3], "wb");
  if (out == nullptr ||
      std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
      std::fclose(out) != 0) {
    std::perror(argv[3]);
    return 1;
  }
  return 0;
}
