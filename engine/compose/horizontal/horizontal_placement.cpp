#include "engine/compose/horizontal/horizontal_placement.h"

#include <algorithm>
#include <optional>

#include "engine/compose/breaking/line_breaking.h"
#include "engine/compose/breaking/line_formats.h"
#include "engine/compose/horizontal/glyph_geometry.h"
#include "engine/compose/horizontal/glyph_output.h"
#include "engine/compose/horizontal/line_alignment.h"
#include "engine/compose/horizontal/text_flow.h"
#include "engine/core/engine.h"

namespace kumi::engine {
namespace {

LineFormat lineFormatOf(const Engine& engine, int line) {
  const CallRecord& call = engine.record();
  const TableLineFormat t = tableLineFormat(engine.tables(), TableId::TB, line);
  if (t.start != 0) return {t.start, t.length, t.align, true};
  return {call.originX, call.lineLength, call.lineAlign, false};
}

}  // namespace

Cursor placeHorizontally(Engine& engine, size_t cellCount, int lineCount) {
  CallRecord& call = engine.record();
  const size_t count = std::min(cellCount, kMaxCells);
  // The first V0 call latches its values even when its text is empty.
  HorizontalFlow flow(engine);
  if (count == 0) {
    flow.finish();
    return {call.originY, call.originX};
  }
  CellArray& cells = engine.cells();

  const int32_t lineSize = lineSizeOf(cells[0]);
  int32_t lineY = firstLineY(call.originY, call.blockExtent, call.blockAlign, lineCount, call.linePitch,
                             lineSize);
  int line = 0;
  SpacedCursor cursor;
  bool tight = false;  // N and O: no room inside RJ runs
  std::optional<int32_t> previousGlyphDrop;  // below its line's Y
  for (size_t i = 0; i < count; ++i) {
    if (cells[i].line != line) {
      if (line != 0) lineY = flow.nextLineY(lineY, lineSize);
      line = cells[i].line;
      LineFormat format = lineFormatOf(engine, line);
      flow.startLine(format);
      const CharCell& first = cells[i];
      const LineSpacing spacing = alignLine(
          {format.align, format.startX, format.length, first.lineWidth, first.lineChars, line == lineCount});
      cursor = SpacedCursor(spacing);
      tight = keepsRunsTight(format.align);
    }
    CharCell& cell = cells[i];
    cell.page = call.pageName;
    cell.placedY = lineY;
    cell.placedX = cursor.at();
    if (cell.advance == 0) continue;
    const int32_t x = cursor.at();
    cursor.step(cell.advance, !(tight && cell.runMark == 2));
    const GlyphContext at{lineY, x, lineSize, cursor.at()};
    if (const auto drop = writeHorizontalCell(engine, i, at, previousGlyphDrop)) previousGlyphDrop = drop;
  }
  flow.finish();
  return {lineY, cursor.at()};
}

}  // namespace kumi::engine
