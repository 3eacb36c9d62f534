#include "engine/pagefile/page_file_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  out = splitRecords(bytes);
  return true;
}

}  // namespace kumi::pagefile
