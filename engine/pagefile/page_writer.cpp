#include "engine/pagefile/page_writer.h"

namespace kumi::engine {

bool PageWriter::open(const std::string& nativePath) {
  close();
  file_ = std::fopen(nativePath.c_str(), "wb");
  written_ = 0;
  return file_ != nullptr;
}

void PageWriter::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

void PageWriter::append(const pagefile::RecordBytes& record, bool measureOnly) {
  if (measureOnly || file_ == nullptr) return;
  if (std::fwrite(record.data(), 1, record.size(), file_) == record.size()) ++written_;
}

}  // namespace kumi::engine
