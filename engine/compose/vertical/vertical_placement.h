#pragma once
// Vertical placement: the kinds J0, JV and JU (縦組み).
//
// After line breaking (shared with horizontal setting; a line is a column
// here), the block of columns is set from its right edge, each column is
// started and spaced down the page by its alignment (its own from TA when
// the entry gives a start), and each cell is written where the cursor
// stands. Glyphs share the column's centre line; half-width characters pair
// side by side in one em, and turned characters get direction code T
// (column_geometry.h). JU and JV flow over tiers and pages (column_flow.h).
// Every cell, written or not, receives its page, its Y down the column and
// its column's right edge, which ruby reads back afterwards.
#include <cstddef>

#include "engine/compose/placement.h"

namespace kumi::engine {

class Engine;

// Places the first `cellCount` cells, broken into `lineCount` columns, and
// returns the cursor: the Y after the last character and the last column's
// right edge. The composer reaches it through its seam (stage_seams.h).
Cursor placeVertically(Engine& engine, size_t cellCount, int lineCount);

}  // namespace kumi::engine
