#pragma once
// Line breaking: which line every cell of a text falls on.
//
// Runs on the cells of one composing call, after they are built, and is the
// same for horizontal and vertical setting. In order:
//   1. table flags (GM no line end, GT no line start, BR may hang) and the
//      kept runs (digit runs, or RJ runs under keep-together 4 and 5);
//   2. DS...DE groups;
//   3. emphasis ranges (a seam, see stage_seams.h);
//   4. greedy filling to each line's length, with the forced break character
//      and the kinsoku rules deciding where a line that overflows ends;
//   5. per-line width and spacing count on the first cell of each line.
// Space removal asks which ideographic space sits at a line edge; the caller
// deletes its text unit and composes again.
//
// Every line gets at least one cell and line numbers run 1, 2, 3 ... without
// gaps; a cell that starts a line always stays on it, so filling ends for
// any line length, including 0 (one character a line).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/compose/breaking/break_tables.h"
#include "engine/compose/char_cell.h"
#include "engine/core/call_record.h"
#include "engine/tables/style_tables.h"
#include "engine/text/internal_text.h"

namespace kumi::engine {

class Engine;

struct BreakSettings {
  int32_t lineLength = 0;
  Unit breakChar = 0;
  char keepTogether = '\0';  // 1..5, see keptUnitWidth
  char lineAlign = '\0';
};

BreakSettings breakSettingsOf(const CallRecord& call);

// Step 1: GM/GT/BR flags and kept runs (runWidth on a run's first cell; RJ
// runs also set runMark 2 on every cell but the last, which gets 9).
void flagCells(std::span<CharCell> cells, const BreakTables& tables, char keepTogether);
// Step 2: groupWidth on every DS cell, summed up to and including the next
// DE cell, or to the end of the text when none follows.
void measureGroups(std::span<CharCell> cells, const BreakTables& tables);

// The width a cell tests against the line: its kept unit's total when it
// starts one under `keepTogether` (the run wins over the group), else 0.
int32_t keptUnitWidth(const CharCell& cell, char keepTogether);

// Step 4: sets every cell's line number; returns the number of lines (0 for
// no cells). A forced break that kinsoku moves turns its cell into an
// ideographic space that takes no room.
int fillLines(std::span<CharCell> cells, const StyleTables& tables, const BreakSettings& settings);

// N and O lines put no room inside RJ runs: cells with runMark 2 are no
// spacing points there.
bool keepsRunsTight(char align);

// Step 5: lineWidth and lineChars on the first cell of each line.
void countLines(std::span<CharCell> cells, int lineCount, const StyleTables& tables,
                const BreakSettings& settings);

// Steps 1 to 5 on the first `cellCount` cells of the engine; `tables` are
// the engine's, read once for the call.
int breakLines(Engine& engine, size_t cellCount, const BreakTables& tables);

// Space removal, on or off by the call's spaceTrim.
bool trimsSpaces(char spaceTrim);
// The first ideographic space at a line edge, in line order: a line's first
// cell, the cell after a line-opening break character, a line's last cell.
std::optional<size_t> spaceToRemove(std::span<const CharCell> cells, Unit breakChar);
// Marks the text unit that cell `cellIndex` was built from as deleted. Cells
// are built one per unit, deleted units skipped, so the unit is the
// cellIndex-th one not yet deleted. False when there is no such unit.
bool deleteUnitOfCell(InternalText& text, size_t cellIndex);

}  // namespace kumi::engine
