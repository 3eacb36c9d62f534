#pragma once
// emfdump's words for Enhanced Metafile records: one record a line, named
// as [MS-EMF] names them less the "EMR_" prefix, with the fields a reader
// of a page needs (objects by handle, points in logical units, colours as
// rgb(), text in UTF-8 with its advances). Records it does not decode show
// their size; a malformed one says so; a walk that stops early ends with an
// "error:" line.
#include <cstdint>
#include <span>
#include <string>

#include "platform/emf/emf_reader.h"

namespace kumi::tools {

struct EmfDumpOptions {
  bool offsets = false;  // prefix each line with the record's file offset
  bool bounds = false;   // show the device-pixel bounds records carry
};

std::string formatEmfRecord(const platform::emf::RecordView& record, const EmfDumpOptions& options = {});
// The whole file. ok (when given) is false when the walk ended early.
std::string formatEmf(std::span<const uint8_t> file, const EmfDumpOptions& options = {},
                      bool* ok = nullptr);

}  // namespace kumi::tools
