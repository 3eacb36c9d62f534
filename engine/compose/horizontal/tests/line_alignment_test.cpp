// Line start, gap and remainder by alignment code, one case a line:
// code, start, length, width, characters, last line; start X, gap, extra units.
#include <gtest/gtest.h>

#include "engine/compose/horizontal/line_alignment.h"

namespace kumi::engine {
namespace {

struct Case {
  LineToAlign line;
  LineSpacing expected;
};

TEST(LineAlignment, Cases) {
  const Case cases[] = {
      {{'S', 100, 400, 300, 6, false}, {150, 0, 0}},   // centred
      {{'S', 100, 400, 301, 6, false}, {149, 0, 0}},   // halves rounded down
      {{'S', 100, 400, 403, 6, false}, {98, 0, 0}},    // overfull: centred across the start
      {{'K', 0, 403, 300, 4, false}, {0, 34, 1}},      // r 103 over 3 gaps
      {{'K', 0, 400, 300, 1, false}, {50, 0, 0}},      // one character: centred
      {{'K', 0, 400, 0, 0, false}, {0, 0, 0}},         // nothing that takes room
      {{'K', 0, 400, 450, 5, false}, {0, 0, 0}},       // overfull: no room
      {{'K', 0, 400, 400, 5, false}, {0, 0, 0}},       // full
      {{'N', 0, 403, 300, 4, true}, {0, 34, 1}},
      {{'M', 0, 403, 300, 4, false}, {0, 34, 1}},
      {{'M', 0, 403, 300, 4, true}, {0, 0, 0}},        // last line at the start
      {{'O', 0, 403, 300, 4, true}, {0, 0, 0}},
      {{'O', 0, 403, 300, 4, false}, {0, 34, 1}},
      {{'H', 100, 400, 300, 6, false}, {200, 0, 0}},   // end-aligned
      {{'L', 0, 400, 192, 4, false}, {26, 52, 0}},     // cells of 100, each glyph in its middle
      {{'L', 0, 400, 48, 1, false}, {176, 0, 0}},      // one character: centred
      {{'L', 0, 400, 500, 4, false}, {0, 0, 0}},       // overfull: no margin before the start
      {{'B', 100, 400, 300, 6, false}, {100, 0, 0}},
      {{'X', 100, 400, 300, 6, false}, {100, 0, 0}},
      {{'\0', 100, 400, 300, 6, false}, {100, 0, 0}},
  };
  for (const Case& c : cases) {
    const LineSpacing s = alignLine(c.line);
    EXPECT_EQ(s.startX, c.expected.startX) << c.line.align << " width " << c.line.width;
    EXPECT_EQ(s.gap, c.expected.gap) << c.line.align << " width " << c.line.width;
    EXPECT_EQ(s.extraUnits, c.expected.extraUnits) << c.line.align << " width " << c.line.width;
  }
}

}  // namespace
}  // namespace kumi::engine
