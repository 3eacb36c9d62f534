#include "engine/pagefile/page_file_reader.h"

#include <algorithm>
#include <fstream>

namespace kumi::pagefile {

PageFileContents splitRecords(std::span<const uint8_t> bytes) {
  PageFileContents out;
  const size_t whole = bytes.size() / kRecordSize;
  out.records.resize(whole);
  for (size_t i = 0; i < whole; ++i) {
    std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(i * kRecordSize), kRecordSize,
                out.records[i].begin());
  }
  out.trailingBytes = bytes.size() - whole * kRecordSize;
  return out;
}

bool readPageFile(const std::string& nativePath, PageFileContents& out) {
  std::ifstream in(nativePath, std::ios::binary);
  if (!in) return false;
  // istream::read turns a failing read (a folder, an I/O error) into badbit;
  // reading through stream iterators would throw out of here instead.
  std::vector<uint8_t> bytes;
  char chunk[1 << 16];
  for (;;) {
    in.read(chunk, sizeof chunk);
    bytes.insert(bytes.end(), chunk, chunk + in.gcount());
    if (!in) break;
  }
  if (in.bad()) return false;
  out = splitRecords(bytes);
  return true;
}

}  // namespace kumi::pagefile
