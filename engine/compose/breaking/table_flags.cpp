#include "engine/compose/breaking/line_breaking.h"
#include "engine/compose/saturate.h"

namespace kumi::engine {
namespace {

bool isDigit(Unit code) { return code::isFullWidthDigit(code) || code::isHalfWidthDigit(code); }

// One past the end of the run of cells starting at `first` whose codes
// satisfy `inRun`; `first` itself when that cell is not in a run.
template <typename InRun>
size_t runEnd(std::span<const CharCell> cells, size_t first, InRun inRun) {
  size_t end = first;
  while (end < cells.size() && inRun(cells[end].code)) ++end;
  return end;
}

// Advances can be any 32-bit value (PC overrides), so sums saturate.
int32_t sumAdvances(std::span<const CharCell> cells, size_t first, size_t end) {
  int64_t sum = 0;
  for (size_t i = first; i < end; ++i) sum += cells[i].advance;
  return saturateToInt32(sum);
}

}  // namespace

void flagCells(std::span<CharCell> cells, const BreakTables& tables, char keepTogether) {
  const bool rjRuns = keepTogether == '4' || keepTogether == '5';
  size_t i = 0;
  while (i < cells.size()) {
    CharCell& c = cells[i];
    if (tables.noLineEnd(c.code)) {
      c.noLineEnd = '1';
    } else if (tables.noLineStart(c.code)) {
      c.noLineStart = '1';
    } else if (tables.mayHang(c.code)) {
      c.mayHang = '1';
    } else {
      const size_t end = rjRuns ? runEnd(cells, i, [&](Unit u) { return tables.inRjRun(u); })
                                : runEnd(cells, i, isDigit);
      if (end > i) {
        c.runWidth = sumAdvances(cells, i, end);
        if (rjRuns) {
          for (size_t j = i; j + 1 < end; ++j) cells[j].runMark = 2;
          cells[end - 1].runMark = 9;
        }
        // The cells of a run are not flag-checked: the run moves as one.
        i = end;
        continue;
      }
    }
    ++i;
  }
}

void measureGroups(std::span<CharCell> cells, const BreakTables& tables) {
  size_t i = 0;
  while (i < cells.size()) {
    if (!tables.startsGroup(cells[i].code)) {
      ++i;
      continue;
    }
    // A group without its end character runs to the end of the text.
    size_t end = i + 1;
    while (end < cells.size() && !tables.endsGroup(cells[end].code)) ++end;
    if (end < cells.size()) ++end;  // the DE cell belongs to the group
    cells[i].groupWidth = sumAdvances(cells, i, end);
    i = end;
  }
}

int32_t keptUnitWidth(const CharCell& cell, char keepTogether) {
  const bool runs = keepTogether == '1' || keepTogether == '3' || keepTogether == '4' || keepTogether == '5';
  const bool groups = keepTogether == '2' || keepTogether == '3' || keepTogether == '5';
  if (runs && cell.runWidth > 0) return cell.runWidth;
  if (groups && cell.groupWidth > 0) return cell.groupWidth;
  return 0;
}

}  // namespace kumi::engine
