#pragma once
// Where composer stages that do not exist yet plug into the pass.
//
// Each function here is called at the point where its stage does its work.
// Until the stage is written the function does nothing, so the text is set
// as it would be without that stage: no emphasis marks or lines, a fraction
// trigger written as the character itself. The stage replaces the inline
// body with its own definition.
#include <cstddef>

#include "engine/compose/placement.h"

namespace kumi::engine {

class Engine;

// Emphasis: marks the KZ ranges on the first `cellCount` cells (style and
// range markers), after kept units are measured and before lines are filled.
inline void markEmphasisRanges(Engine& /*engine*/, size_t /*cellCount*/) {}

// Emphasis: records that go before a glyph's character record (the K2 of a
// bordered character), and those that follow it (marks, lines).
inline void writeEmphasisBefore(Engine& /*engine*/, const PlacedGlyph& /*glyph*/) {}
inline void writeEmphasisAfter(Engine& /*engine*/, const PlacedGlyph& /*glyph*/) {}

// Fractions: when the cell's character is a BU trigger, writes the fraction
// in its room and returns true; the character itself is then not written.
// The cell holds its placed position and advance.
inline bool writeFraction(Engine& /*engine*/, size_t /*cell*/) { return false; }

// Vertical placement of the kinds J0, JV and JU, after line breaking
// (vertical/vertical_placement.cpp). Returns the cursor: the Y after the last
// character and the last column's right edge.
Cursor placeVertically(Engine& engine, size_t cellCount, int lineCount);

}  // namespace kumi::engine
