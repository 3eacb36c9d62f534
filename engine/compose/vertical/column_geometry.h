#pragma once
// Sizes, positions and pairing of glyphs in a vertical column.
//
// Columns run from right to left; a column is as wide as the first glyph of
// its text (scaled by its width code) and its glyphs share the column's
// centre line. Characters of the turned set (punctuation, brackets, long
// vowel marks, small kana) get direction code T so that the renderer draws
// their vertical forms; the others stand upright.
//
// Half-width characters stand two side by side in one em (縦中横): a class-A
// cell whose advance is not its glyph's full width opens a pair when the next
// cell is such a cell too, and that cell closes it; a lone one is centred and
// takes a whole em. In the second family the half-width digits that stay
// class K pair the same way. The pairing happens within one column only.
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/compose/char_cell.h"

namespace kumi::engine {

// The size across the column: 4·Q of the glyph size under the width code.
int32_t columnSizeOf(const CharCell& firstCell);

// The right edge of the first of `columns` columns. Centred (`blockAlign`
// '0') the block sits in the middle of its extent left of originX, but never
// to the right of originX; otherwise it starts at originX.
int32_t firstColumnX(int32_t originX, int32_t blockExtent, char blockAlign, int columns, int32_t columnPitch,
                     int32_t columnSize);

bool isTurnedInVertical(Unit code);
// Y upright (W in the second family), T turned.
char verticalDirection(const CharCell& cell, bool secondFamily);

enum class PairKind { None, HalfWidth, SecondFamilyDigit };
// Which kind of pair the cell can be part of.
PairKind pairKindOf(const CharCell& cell, bool secondFamily);

enum class PairRole { None, Opens, Closes, Alone };

struct ColumnStep {
  PairRole role = PairRole::None;
  PairKind kind = PairKind::None;
  int32_t along = 0;  // room taken down the column; a pair's opener takes none, its closer the em
};

// The steps of one column's cells, asked for in order.
class ColumnSteps {
 public:
  ColumnSteps(std::span<const CharCell> column, bool secondFamily) : column_(column), second_(secondFamily) {}
  // The step of column cell `i`; every cell of the column in turn.
  ColumnStep step(size_t i);

 private:
  std::span<const CharCell> column_;
  bool second_;
  PairKind open_ = PairKind::None;  // a pair waiting for its closer
};

// The room a column's cells take down the column as they are placed (pairs
// one em, a lone half-width character one em) and the number of places that
// take room, each of which is followed by the justification gap.
struct ColumnMeasure {
  int32_t length = 0;
  int32_t places = 0;
};
ColumnMeasure measureColumn(std::span<const CharCell> column, bool secondFamily);

}  // namespace kumi::engine
