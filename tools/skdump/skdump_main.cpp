// skdump FILE: prints a page file (sk.dat) one record a line.
#include <cstdio>

#include "tools/skdump/skdump_format.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skdump PAGEFILE\n  prints sk.dat one record a line\n");
    return 2;
  }
  kumi::pagefile::PageFileContents contents;
  if (!kumi::pagefile::readPageFile(argv[1], contents)) {
    std::fprintf(stderr, "skdump: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string text = kumi::tools::formatPageFile(contents);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return contents.trailingBytes == 0 ? 0 : 3;
}
