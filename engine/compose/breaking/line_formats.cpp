#include "engine/compose/breaking/line_formats.h"

namespace kumi::engine {

TableLineFormat tableLineFormat(const StyleTables& tables, TableId table, int line) {
  if (line < 1) return {};
  const Entry e = tables.entryAt(table, static_cast<size_t>(line - 1));
  if (e.empty()) return {};
  TableLineFormat f;
  f.align = static_cast<char>(e[0]);
  f.start = fieldNumber(e, 1);
  f.length = fieldNumber(e, 2);
  return f;
}

int32_t breakingLineLength(const StyleTables& tables, int line, int32_t callLength) {
  const int32_t length = tableLineFormat(tables, TableId::TB, line).length;
  return length != 0 ? length : callLength;
}

char lineAlignOf(const StyleTables& tables, int line, char callAlign) {
  const TableLineFormat f = tableLineFormat(tables, TableId::TB, line);
  return f.start != 0 ? f.align : callAlign;
}

}  // namespace kumi::engine
