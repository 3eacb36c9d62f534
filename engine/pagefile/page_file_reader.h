#pragma once
// Reading sk.dat whole. The file is untrusted: a trailing partial record is
// reported, never read past.
#include <string>
#include <vector>

#include "engine/pagefile/page_record.h"

namespace kumi::pagefile {

struct PageFileContents {
  std::vector<RecordBytes> records;
  size_t trailingBytes = 0;  // bytes of a partial record at the end
};

// Splits raw bytes into records.
PageFileContents splitRecords(std::span<const uint8_t> bytes);
// Reads a file; nullopt-like failure is reported by `ok`.
bool readPageFile(const std::string& nativePath, PageFileContents& out);

}  // namespace kumi::pagefile
