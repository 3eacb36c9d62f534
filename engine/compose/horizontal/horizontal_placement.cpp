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

// The cursor along one line: the gap after every spacing character, and one
// unit more for the first few of them.
class LineCursor {
 public:
  LineCursor() = default;
  LineCursor(const LineSpacing& spacing, char align)
      : x_(spacing.startX), gap_(spacing.gap), extra_(spacing.extraUnits), tight_(keepsRunsTight(align)) {}

  int32_t x() const { return static_cast<int32_t>(x_); }

  void advancePast(const CharCell& cell) {
    x_ += cell.advance;
    if (tight_ && cell.runMark == 2) return;
    x_ += gap_;
    if (extra_ > 0) {
      ++x_;
      --extra_;
    }
  }

 private:
  int64_t x_ = 0;  // wide: advances may be any 32-bit value
  int32_t gap_ = 0;
  int32_t extra_ = 0;
  bool tight_ = false;
};

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
  LineCursor cursor;
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
      cursor = LineCursor(spacing, format.align);
    }
    CharCell& cell = cells[i];
    cell.page = call.pageName;
    cell.placedY = lineY;
    cell.placedX = cursor.x();
    if (cell.advance == 0) continue;
    const int32_t x = cursor.x();
    cursor.advancePast(cell);
    const GlyphContext at{lineY, x, lineSize, cursor.x()};
    if (const auto drop = writeHorizontalCell(engine, i, at, previousGlyphDrop)) previousGlyphDrop = drop;
  }
  flow.finish();
  return {lineY, cursor.x()};
}

}  // namespace kumi::engine
