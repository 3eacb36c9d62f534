#pragma once
// The records of one placed cell on a horizontal line.
//
// An ordinary character is written as its character record (two when it is
// written as two single bytes), with the emphasis records around it. A
// character listed in DB is written as two glyphs; under the command L each
// glyph is moved by its width and height codes first. A character whose CA
// entry has type 3 is written as an image in its place.
#include <cstdint>
#include <optional>

#include "engine/compose/char_cell.h"
#include "engine/tables/style_tables.h"

namespace kumi::engine {

class Engine;

struct GlyphContext {
  int32_t lineY = 0;
  int32_t x = 0;            // the cell's start along the line
  int32_t lineSize = 0;
  int32_t cursorAfter = 0;  // the next cell's start
};

// Writes cell `index`; returns how far below its line's Y its glyph stands
// when one was written with a position of its own. The next glyph of an HT
// run keeping its baseline stands as far below its own line's Y, so a run
// broken over a line goes on in the new line.
std::optional<int32_t> writeHorizontalCell(Engine& engine, size_t index, const GlyphContext& at,
                                           std::optional<int32_t> previousGlyphDrop);

// The character record(s) of `cell` at (y, x), its glyph `glyphWidth` wide,
// with the direction code given; nothing under the command N.
void writeCharacter(Engine& engine, const CharCell& cell, int32_t y, int32_t x, int32_t glyphWidth,
                    char direction);

// A DB character as its entry's two glyphs at (y, x); under the command L
// each is moved by its width and height codes (doubleGlyphMove) first.
// `lineSize` is the size across the line (or column).
void writeDoubleGlyph(Engine& engine, const CharCell& cell, Entry entry, int32_t y, int32_t x,
                      int32_t lineSize, char direction);

// Where the two glyphs of a DB entry go, before any L-command move.
struct DoubleGlyphMove {
  int32_t dx = 0;
  int32_t dy = 0;
};
DoubleGlyphMove doubleGlyphMove(char widthCode, char heightCode, int32_t advance, int32_t lineSize);

// The image records (G1, G3, G2) that stand for a CA type-3 character.
void writeCharacterImage(Engine& engine, Entry caEntry, int32_t y, int32_t x, int32_t height,
                         int32_t width);

}  // namespace kumi::engine
