#pragma once
// skdump's words for page-file records: one record a line, readable by a
// client's author (page, kind, Y, X, the character in UTF-8, every byte that
// matters), and a closing line when the file ends inside a record.
#include <string>

#include "engine/pagefile/page_file_reader.h"

namespace kumi::tools {

std::string formatRecord(const pagefile::RecordBytes& record);
std::string formatPageFile(const pagefile::PageFileContents& contents);

}  // namespace kumi::tools
