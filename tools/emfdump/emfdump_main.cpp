// emfdump [--offsets] [--bounds] FILE.emf: prints an Enhanced Metafile one
// record a line. Exit status 0 for a well-formed file, 3 when the records
// stop early (the last line says why), 1 when the file cannot be read.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/emfdump/emfdump_format.h"

int main(int argc, char** argv) {
  kumi::tools::EmfDumpOptions options;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--offsets") == 0) {
      options.offsets = true;
    } else if (std::strcmp(argv[i], "--bounds") == 0) {
      options.bounds = true;
    } else if (path == nullptr && argv[i][0] != '-') {
      path = argv[i];
    } else {
      path = nullptr;
      break;
    }
  }
  if (path == nullptr) {
    std::fprintf(stderr,
                 "usage: emfdump [--offsets] [--bounds] FILE.emf\n"
                 "  prints an Enhanced Metafile one record a line\n");
    return 2;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "emfdump: cannot read %s\n", path);
    return 1;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  bool ok = false;
  const std::string text = kumi::tools::formatEmf(bytes, options, &ok);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return ok ? 0 : 3;
}
