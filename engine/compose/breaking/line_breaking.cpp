#include "engine/compose/breaking/line_breaking.h"

#include <algorithm>

#include "engine/compose/stage_seams.h"
#include "engine/core/engine.h"

namespace kumi::engine {

BreakSettings breakSettingsOf(const CallRecord& call) {
  BreakSettings s;
  s.lineLength = call.lineLength;
  s.breakChar = call.breakChar;
  s.keepTogether = call.keepTogether;
  s.lineAlign = call.lineAlign;
  return s;
}

int breakLines(Engine& engine, size_t cellCount, const BreakTables& breakTables) {
  const std::span<CharCell> cells(engine.cells().data(), std::min(cellCount, kMaxCells));
  const StyleTables& tables = engine.tables();
  const BreakSettings settings = breakSettingsOf(engine.record());
  flagCells(cells, breakTables, settings.keepTogether);
  measureGroups(cells, breakTables);
  markEmphasisRanges(engine, cells.size());
  const int lines = fillLines(cells, tables, settings);
  countLines(cells, lines, tables, settings);
  return lines;
}

}  // namespace kumi::engine
