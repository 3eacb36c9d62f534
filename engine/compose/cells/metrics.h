#pragma once
// The metric model: how one character's advance is found.
//
// A character is looked up in one of three lists (the proportional list with
// its class grid, the half-width table that lists only the half-em spacing
// code, the vertical table that lists only the half-width digits); its row
// gives a width class for the font column of the current font class; the
// width table turns class and size into Q-steps (4 engine units each). A
// half-width character then takes half of that (two half-width bytes, as for
// ｶﾞ, the whole), and the scale code along the line shrinks it.
//
// measureCharacter (cells.h) is the entry; the pieces are here for the tests.
#include <cstddef>
#include <cstdint>

#include "engine/text/codes.h"

namespace kumi::engine::metrics {

enum class MetricTable { Proportional, HalfWidth, VerticalHalfWidth };

// Width class of a code in a table, or -1 when the table does not list it.
// Column indices past the grid read as 16 (a full em, halved later for
// half-width characters).
int widthClass(MetricTable table, bool secondFamily, Unit code, size_t column);

// Advance in engine units of a width class at a size (SizeCode). Classes
// outside 3..17 have no width.
int32_t classAdvance(int widthClass, uint8_t sizeCode);

// Percent of a scale code along the line: '0' 100 ... '5' 50. Any other code
// is taken as 100 %, as the renderer draws it.
int scalePercent(char scaleCode);

// Percent a half-width character keeps: 50 when it is written as one
// single-byte character, 100 when as two (ｶﾞ).
int halfWidthFactor(Unit code);

}  // namespace kumi::engine::metrics
