// A sample sheet page with every line type, fill and shape, in the normal and
// the batch geometry. With KUMI_SHAPES_SAMPLE_SHEET=DIR set the pages are kept
// as DIR/shapes-normal.emf and DIR/shapes-batch.emf, to be looked at through
// a player.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "renderer/shapes/shape_drawer.h"
#include "renderer/shapes/tests/shape_page.h"

namespace kumi::renderer::shapes {
namespace {

using testing::eu;
using testing::TestPage;

// Logical units, y downwards as in records; eu() makes them engine units.
void box(TestPage& p, char colour, char outline, char shape, int left, int top, int size,
         char fill, char lineType) {
  p.k2(colour, outline, shape);
  p.k1(shape, eu(top), eu(left), eu(top + size), eu(left + size), fill, lineType);
}

void drawSampleSheet(TestPage& p) {
  // Line types: the four broken patterns, then solid widths 1 to 8.
  const std::string types = "2345ONAVWXYZ";
  for (size_t i = 0; i < types.size(); ++i) {
    const int y = 1500 + static_cast<int>(i) * 700;
    p.k2('1', ' ', 'Y');
    p.k1('Y', eu(y), eu(1500), eu(9000), 0, '1', types[i]);
  }
  // Vertical rules of widths 1, 4 and 8, and a diagonal.
  p.k1('T', eu(1500), eu(9800), eu(9200), 0, '1', 'O');
  p.k1('T', eu(1500), eu(10300), eu(9200), 0, '1', 'V');
  p.k1('T', eu(1500), eu(10900), eu(9200), 0, '1', 'Z');
  // 'H' draws only in batch runs.
  box(p, '4', ' ', 'H', 10500, 13500 + 9000, 2500, '1', 'Z');

  // Fills: solid, none, the six hatchings and the tint screen, in colours.
  const std::string fills = "012345678";
  const std::string colours = "259AB3649";
  for (size_t i = 0; i < fills.size(); ++i) {
    const int col = static_cast<int>(i % 3), row = static_cast<int>(i / 3);
    box(p, colours[i], '1', 'B', 12000 + col * 2600, 1500 + row * 2600, 2200, fills[i], 'N');
  }

  // Shapes: box, ellipse, rounded box, line, triangles hollow and filled.
  const int top = 10500;
  box(p, '5', '2', 'B', 1500, top, 2500, '2', 'A');
  box(p, '3', '1', 'E', 4500, top, 2500, '6', 'N');
  p.k1('m', 0, 0, 600, 0);
  box(p, '2', '5', 'M', 7500, top, 2500, '8', 'V');
  box(p, '6', ' ', 'N', 10500, top, 2500, '1', 'W');
  box(p, '9', ' ', 'E', 13500, top, 2500, '0', 'X');  // outline none
  const std::string triangles = "OPQR";
  for (size_t i = 0; i < triangles.size(); ++i) {
    const int left = 1500 + static_cast<int>(i) * 3000;
    box(p, '1', ' ', triangles[i], left, top + 3500, 2500, '1', 'A');
    box(p, '5', ' ', triangles[i], left, top + 6500, 2500, '0', 'A');
  }
  // A box running off the bottom of the sheet, brought back to its margin.
  box(p, '4', '1', 'B', 13500, top + 9000, 20000, '5', 'A');
  // Dashed boxes.
  box(p, '2', ' ', 'B', 13500, top + 3500, 2500, '1', '2');
  box(p, '5', ' ', 'B', 16500, top + 3500, 2500, '1', '3');
}

void keepAs(TestPage& p, const char* name) {
  const auto& bytes = p.finish();
  const char* dir = std::getenv("KUMI_SHAPES_SAMPLE_SHEET");
  if (dir == nullptr) return;
  std::ofstream(std::string(dir) + "/" + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(SampleSheet, EveryLineTypeFillAndShape) {
  for (bool batch : {false, true}) {
    TestPage p(testing::a4Page(batch));
    p.settings.ruleWidths = {10, 20, 30, 40, 50, 60, 70, 80};
    drawSampleSheet(p);
    // rules, verticals, the diagonal and, in batch runs, the 'H' line
    EXPECT_EQ(p.linesOf("LINETO").size(), 12u + 3u + 1u + (batch ? 1u : 0u));
    EXPECT_EQ(p.linesOf("POLYLINE").size(), 4u);
    EXPECT_EQ(p.linesOf("POLYGON").size(), 4u);
    EXPECT_EQ(p.linesOf("ROUNDRECT").size(), 2u);  // with its outline
    EXPECT_EQ(p.linesOf("ELLIPSE").size(), 2u + 1u);
    EXPECT_EQ(p.linesOf("RECTANGLE").size(), 2u * 9u + 2u + 2u + 2u);
    // The tint boxes: 2200 / 37 → 60 dots a side; 2500 / 37 → 68.
    EXPECT_EQ(p.linesOf("SETPIXELV").size(), 60u * 60u + 68u * 68u);
    const auto rects = p.linesOf("RECTANGLE");
    EXPECT_EQ(std::count(rects.begin(), rects.end(), "RECTANGLE (13500,-19500,20151,-28847)"), 2);
    keepAs(p, batch ? "shapes-batch.emf" : "shapes-normal.emf");
  }
}

}  // namespace
}  // namespace kumi::renderer::shapes
