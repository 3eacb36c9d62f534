#pragma once
// Horizontal placement: every kind whose letter is not J.
//
// After line breaking, the block of lines is set inside its extent, each
// line is started and spaced by its alignment (its own from TB when the
// entry gives a start), and each cell is written where the cursor stands;
// the cursor then moves on by the advance and the line's gap. U0 and V0 flow
// over tiers and pages (text_flow.h). Every cell, written or not, receives
// its page, line Y and cursor X, which ruby reads back afterwards.
#include <cstddef>

#include "engine/compose/placement.h"

namespace kumi::engine {

class Engine;

// Places the first `cellCount` cells, broken into `lineCount` lines, and
// returns the cursor: the last line's Y and the X after the last character.
Cursor placeHorizontally(Engine& engine, size_t cellCount, int lineCount);

}  // namespace kumi::engine
