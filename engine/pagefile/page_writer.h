#pragma once
// The open sk.dat of a run. Appends whole records; under the measuring
// command N, or while no run is open, nothing is written.
#include <cstdio>
#include <string>

#include "engine/pagefile/page_record.h"

namespace kumi::engine {

class PageWriter {
 public:
  PageWriter() = default;
  ~PageWriter() { close(); }
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Creates (or replaces) the file; false when it cannot be created.
  bool open(const std::string& nativePath);
  void close();
  bool isOpen() const { return file_ != nullptr; }

  // Measuring calls pass measureOnly = true and write nothing.
  void append(const pagefile::RecordBytes& record, bool measureOnly);
  size_t recordsWritten() const { return written_; }

 private:
  std::FILE* file_ = nullptr;
  size_t written_ = 0;
};

}  // namespace kumi::engine
