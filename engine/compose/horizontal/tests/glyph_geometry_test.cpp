#include <gtest/gtest.h>

#include "engine/compose/horizontal/glyph_geometry.h"
#include "engine/compose/horizontal/glyph_output.h"
#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

CharCell cellOf(Unit code, int q, char metricFlag, int32_t advance) {
  CharCell c;
  c.code = code;
  c.glyphSize = sizeCodeOfQ(q);
  c.metricFlag = metricFlag;
  c.advance = advance;
  return c;
}

TEST(GlyphGeometry, LineSizeFromTheFirstCellsGlyphSizeAndHeightScale) {
  struct Case { char scale; int32_t size; };
  const Case cases[] = {{'0', 48}, {'1', 43}, {'2', 38}, {'3', 33}, {'4', 28}, {'5', 24}, {'9', 24}};
  for (const Case& c : cases) {
    CharCell cell = cellOf(0x3441, 12, '0', 48);
    cell.heightScale = c.scale;
    EXPECT_EQ(lineSizeOf(cell), c.size) << c.scale;
  }
}

TEST(GlyphGeometry, GlyphInsideItsAdvance) {
  struct Case { Unit code; char metricFlag; char font; int32_t advance; int32_t shift; };
  const Case cases[] = {
      {0x214A, '1', 'A', 24, -24},  // （ proportional: half the glyph to the left
      {0x214B, '1', 'A', 24, 0},    // ） stays
      {0x2124, '1', 'A', 24, 0},    // ，
      {0x2341, '1', 'A', 36, -6},   // Ａ centred in its 36
      {0x2341, '0', 'A', 36, 0},    // measured at full width: as it stands
      {0x2341, '1', 'F', 36, 0},    // proportional faces keep their bearings
      {0x2341, '1', 'G', 36, 0},
      {0x214A, '1', '0', 48, -24},  // a PD-marked opening bracket
  };
  for (const Case& c : cases) {
    CharCell cell = cellOf(c.code, 12, c.metricFlag, c.advance);
    cell.fontLetter = c.font;
    EXPECT_EQ(glyphShiftX(cell, 48), c.shift) << std::hex << c.code << " " << c.font;
  }
}

TEST(GlyphGeometry, FirstLineOfTheBlock) {
  struct Case { char align; int32_t extent; int lines; int32_t y; };
  const Case cases[] = {
      {'0', 200, 2, 1036},  // block 80 + 48 = 128, centred in 200
      {'1', 200, 2, 1000},
      {'2', 200, 2, 1072},  // at the end
      {'0', 100, 2, 1000},  // a block taller than its extent starts at the origin
      {'2', 100, 2, 1000},
      {'1', 0, 5, 1000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(firstLineY(1000, c.extent, c.align, c.lines, 80, 48), c.y) << c.align << " " << c.extent;
  }
}

TEST(DoubleGlyphs, MovesUnderTheCommandL) {
  struct Case { char width; char height; int32_t dx; int32_t dy; };
  // Advance 48, line size 48.
  const Case cases[] = {
      {'0', '0', -24, 24 - 5},            // s/2 - s·11/100
      {'1', '1', -21, 21 - 43 * 11 / 100},  // k 9: s·9/20 - (s·9/10)·11/100
      {'4', '2', -14, 19 - 38 * 11 / 100},  // k 6 across, 8 down
      {'0', '9', -24, 0},                  // no move down for other height codes
      {'5', '0', 0, 0},                    // other width codes stay, down too
  };
  for (const Case& c : cases) {
    const DoubleGlyphMove m = doubleGlyphMove(c.width, c.height, 48, 48);
    EXPECT_EQ(m.dx, c.dx) << c.width << c.height;
    EXPECT_EQ(m.dy, c.dy) << c.width << c.height;
  }
}

}  // namespace
}  // namespace kumi::engine
