#include "engine/compose/composer.h"

#include <span>

#include "engine/compose/breaking/line_breaking.h"
#include "engine/compose/cells/cells.h"
#include "engine/compose/horizontal/horizontal_placement.h"
#include "engine/compose/stage_seams.h"
#include "engine/core/engine.h"
#include "engine/text/digits.h"

namespace kumi::engine {
namespace {

struct BrokenText {
  int32_t naturalLength = 0;
  size_t cellCount = 0;
  int lineCount = 0;
};

// Cells and lines of the current text. Removing an ideographic space at a
// line edge changes the text, so everything is built again from it; each
// round deletes one unit, so the rounds end.
BrokenText breakText(Engine& engine) {
  const CallRecord& call = engine.record();
  const bool trim = trimsSpaces(call.spaceTrim);
  const BreakTables tables(engine.tables());
  for (;;) {
    applyDigitMode(call.digitMode, engine.text());
    const CellBuildResult built = buildCells(engine);
    const int lines = breakLines(engine, built.count, tables);
    if (trim) {
      const std::span<const CharCell> cells(engine.cells().data(), built.count);
      const std::optional<size_t> space = spaceToRemove(cells, call.breakChar);
      if (space && deleteUnitOfCell(engine.text(), *space)) continue;
    }
    return {built.naturalLength, built.count, lines};
  }
}

}  // namespace

void composeText(Engine& engine) {
  const BrokenText text = breakText(engine);
  const Cursor cursor = engine.record().isVertical()
                            ? placeVertically(engine, text.cellCount, text.lineCount)
                            : placeHorizontally(engine, text.cellCount, text.lineCount);
  CompositionResults& r = engine.results();
  r.naturalLength = text.naturalLength;
  r.lineCount = text.lineCount;
  r.cursorY = cursor.y;
  r.cursorX = cursor.x;
}

}  // namespace kumi::engine
