#pragma once
// What the placement stages hand to each other and to the stages that write
// extra records beside a glyph (emphasis, fractions).
#include <cstddef>
#include <cstdint>

namespace kumi::engine {

// The cursor after a placement pass: the line coordinate and the position
// along the line (horizontal), or the column and the position down it
// (vertical). It becomes the call's X and Y results.
struct Cursor {
  int32_t y = 0;
  int32_t x = 0;
};

// One glyph as placement writes it.
struct PlacedGlyph {
  size_t cell = 0;          // index into Engine::cells()
  int32_t y = 0;            // the character record's position
  int32_t x = 0;
  int32_t lineSize = 0;     // size across the line (column)
  int32_t cursorAfter = 0;  // where the next character starts along the line
  bool vertical = false;
};

}  // namespace kumi::engine
