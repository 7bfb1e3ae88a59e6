// Writes the benchmark text of the given size in megabytes to a file, for the
// script that compares whole batch runs with other tools.

#include <cstdio>
#include <cstdlib>

#include "corpus.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_corpus MEGABYTES FILE\n");
    return 2;
  }
  const std::size_t megabytes = std::strtoul(argv[1], nullptr, 10);
  const std::string text = quor::bench::GermanText(megabytes << 20);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr ||
      std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
      std::fclose(out) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
