#include "engine/compose/breaking/line_breaking.h"
#include "engine/compose/breaking/line_formats.h"
#include "engine/compose/saturate.h"

namespace kumi::engine {
namespace {

void countLine(std::span<CharCell> line, bool lastLine, int lineCount, char align) {
  int64_t width = 0;
  int32_t chars = 0;
  const bool tight = keepsRunsTight(align);
  for (const CharCell& c : line) {
    width += c.advance;
    if (c.advance != 0 && !(tight && c.runMark == 2)) ++chars;
  }
  // Under B a hanging character at the line end stands outside the measure;
  // a one-line text keeps it.
  const CharCell& last = line.back();
  if (align == 'B' && last.mayHang == '1' && (!lastLine || lineCount > 1)) width -= last.advance;
  line.front().lineWidth = saturateToInt32(width);
  line.front().lineChars = chars;
}

}  // namespace

bool keepsRunsTight(char align) { return align == 'N' || align == 'O'; }

void countLines(std::span<CharCell> cells, int lineCount, const StyleTables& tables,
                const BreakSettings& settings) {
  size_t first = 0;
  while (first < cells.size()) {
    size_t end = first + 1;
    while (end < cells.size() && cells[end].line == cells[first].line) ++end;
    const int line = cells[first].line;
    countLine(cells.subspan(first, end - first), line == lineCount, lineCount,
              lineAlignOf(tables, line, settings.lineAlign));
    first = end;
  }
}

}  // namespace kumi::engine
