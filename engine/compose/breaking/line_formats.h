#pragma once
// Per-line formats from the TB table.
//
// Entry n of TB describes line n of every text: an alignment code, a start
// coordinate and a length. Breaking takes a line's length from the entry
// whenever that length is set; placement takes all three from the entry
// only when its start is set, and the call's values otherwise. Lines past
// the table read as unset.
#include <cstdint>

#include "engine/tables/style_tables.h"

namespace kumi::engine {

struct TableLineFormat {
  char align = '\0';
  int32_t start = 0;   // 0 = the call's origin, length and alignment
  int32_t length = 0;
};

// `line` is 1-based.
TableLineFormat tableLineFormat(const StyleTables& tables, TableId table, int line);

// The length line `line` is filled to.
int32_t breakingLineLength(const StyleTables& tables, int line, int32_t callLength);

// The alignment code of line `line` (the entry's when its start is set).
char lineAlignOf(const StyleTables& tables, int line, char callAlign);

}  // namespace kumi::engine
