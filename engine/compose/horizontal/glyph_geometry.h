#pragma once
// Sizes and offsets of glyphs on a horizontal line.
//
// A line is as tall as the first glyph of its text; every glyph stands on
// the line's bottom, and a glyph narrower or wider than its advance is set
// inside it by its kind: closing marks at the advance's start, opening
// brackets half a glyph to the left (their visible half is in the advance),
// anything else centred.
#include <cstdint>

#include "engine/compose/char_cell.h"

namespace kumi::engine {

// Tenths of a scale code: '0' 10, '1' 9, '2' 8, '3' 7, '4' 6, any other 5.
int32_t scaleTenths(char scaleCode);
// 4·Q of a SizeCode under a scale code.
int32_t scaledSize(uint8_t sizeCode, char scaleCode);
// The same for a size already in units.
inline int32_t scaledUnits(int32_t units, char scaleCode) { return units * scaleTenths(scaleCode) / 10; }

// The size across the line, from the text's first cell.
int32_t lineSizeOf(const CharCell& firstCell);

bool isOpeningBracket(Unit code);
bool isClosingMark(Unit code);

// How far the glyph of `cell`, `glyphWidth` wide, moves right of the start
// of its advance.
int32_t glyphShiftX(const CharCell& cell, int32_t glyphWidth);

// Y of the first line of a block of `lines` lines.
int32_t firstLineY(int32_t originY, int32_t blockExtent, char blockAlign, int lines, int32_t linePitch,
                   int32_t lineSize);

}  // namespace kumi::engine
