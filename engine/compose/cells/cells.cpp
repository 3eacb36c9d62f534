#include "engine/compose/cells/cells.h"

#include "engine/core/engine.h"
#include "engine/core/size_code.h"

namespace kumi::engine {

CurrentAttributes attributesFromCall(const CallRecord& call) {
  CurrentAttributes a;
  a.kindLetter = call.kindLetter();
  a.vertical = call.isVertical();
  a.advanceSize = call.charSizeCode;
  a.fontClass = call.fontCode;
  a.digitMode = call.digitMode;
  a.lineScale = a.vertical ? call.heightScale : call.widthScale;
  a.direction = call.resultSelector;
  a.colour = {call.counterText[0], call.counterText[1]};
  a.glyph = call.attributes;
  return a;
}

// Full-width metrics only until the metric tables arrive.
int32_t measureCharacter(const CurrentAttributes& attrs, Unit /*code*/, char cls, bool /*secondFamily*/,
                         char* metricFlag) {
  if (metricFlag) *metricFlag = '0';
  const int32_t em = unitsOfSizeCode(attrs.advanceSize);
  return cls == 'A' ? em / 2 : em;
}

CellBuildResult buildCells(Engine& engine) {
  const CallRecord& call = engine.record();
  InternalText& text = engine.text();
  CellArray& cells = engine.cells();
  CurrentAttributes attrs = attributesFromCall(call);
  CellBuildResult result;
  for (size_t i = 0; i < kMaxUnits && text.units[i] != code::kEnd; ++i) {
    const Unit u = text.units[i];
    if (u == code::kDeleted) continue;
    CharCell cell;
    cell.cls = text.classes[i] == 'A' ? 'A' : 'K';
    cell.code = u;
    cell.advance = measureCharacter(attrs, u, cell.cls, call.secondFamily(), &cell.metricFlag);
    if (u == call.breakChar) cell.advance = 0;
    result.naturalLength += cell.advance;
    cells[result.count++] = cell;
  }
  cells[result.count] = CharCell{};
  cells[result.count].line = -1;
  return result;
}

}  // namespace kumi::engine
