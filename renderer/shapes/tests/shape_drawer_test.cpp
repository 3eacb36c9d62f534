// K2 and K1 records as they come out in the page's metafile (emfdump lines).
//
// The test page is A4 at 600 dpi: PW 20997, PH 29693, OX = OY = 423
// hundredths of a millimetre; a standard page counts 0.01 mm, so eu(v) puts
// a record value at logical v. Rule widths 1-8 are stored as 10..80.
#include "renderer/shapes/shape_drawer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "renderer/shapes/tests/shape_page.h"
#include "tools/emfdump/emfdump_format.h"

namespace kumi::renderer::shapes {
namespace {

using testing::eu;
using testing::TestPage;
using Lines = std::vector<std::string>;

// What a K1 drew with its own pen: the records after that pen is selected
// and before the outline pass or the restoring of the brush, joined by '|'.
std::string drawnWithPen(const Lines& lines) {
  std::string drawn;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (inside && (l == "SELECTOBJECT WHITE_BRUSH" || l.rfind("CREATEPEN", 0) == 0)) break;
    if (inside) drawn += (drawn.empty() ? "" : "|") + l;
    if (i > 0 && lines[i - 1].rfind("CREATEPEN", 0) == 0) inside = true;
  }
  return drawn;
}

// The box used throughout: left 100, top 200, right 1000, bottom 900.
constexpr int32_t kTop = eu(200), kLeft = eu(100), kBottom = eu(900), kRight = eu(1000);

TEST(ShapeDrawer, BoxWithSolidFillAndOutline) {
  TestPage p;
  p.k2('5', '2', 'B');                           // red lines, blue outline
  p.k1('B', kTop, kLeft, kBottom, kRight, '0', 'A');  // width kind 3: stored 30
  EXPECT_EQ(p.lines(), (Lines{
      "SETBKMODE OPAQUE",
      "CREATEBRUSHINDIRECT #1 style=SOLID color=rgb(255,0,0)",
      "SELECTOBJECT #1",
      "CREATEPEN #2 style=SOLID width=76 color=rgb(255,0,0)",
      "SELECTOBJECT #2",
      "RECTANGLE (100,-200,1000,-900)",
      // the outline pass: same pen in the outline colour, no fill
      "CREATEPEN #3 style=SOLID width=76 color=rgb(0,0,255)",
      "SELECTOBJECT #3",
      "SELECTOBJECT NULL_BRUSH",
      "RECTANGLE (100,-200,1000,-900)",
      "SELECTOBJECT WHITE_BRUSH",
      "SELECTOBJECT BLACK_PEN",
      "DELETEOBJECT #1",
      "DELETEOBJECT #2",
      "DELETEOBJECT #3",
      "SETBKMODE TRANSPARENT",
  }));
}

TEST(ShapeDrawer, LineColourLastsOneShapeOutlineStays) {
  TestPage p;
  p.k1('B', kTop, kLeft, kBottom, kRight);  // no K2 yet: black, outline black
  p.k2('5', '3', 'B');                      // red, green outline
  p.k1('B', kTop, kLeft, kBottom, kRight);
  p.k1('B', kTop, kLeft, kBottom, kRight);  // black again, outline still green
  EXPECT_EQ(p.linesOf("CREATEPEN"), (Lines{
      "CREATEPEN #1 style=SOLID width=0 color=rgb(0,0,0)",
      "CREATEPEN #2 style=SOLID width=0 color=rgb(0,0,0)",
      "CREATEPEN #1 style=SOLID width=0 color=rgb(255,0,0)",
      "CREATEPEN #2 style=SOLID width=0 color=rgb(0,255,0)",
      "CREATEPEN #1 style=SOLID width=0 color=rgb(0,0,0)",
      "CREATEPEN #2 style=SOLID width=0 color=rgb(0,255,0)",
  }));
  EXPECT_EQ(p.drawer.state().outlineColour, platform::rgb(0, 255, 0));
}

TEST(ShapeDrawer, OutlineNoneDrawsTheShapeOnce) {
  TestPage p;
  p.k2('A', ' ', 'E');  // user colour 1, outline none
  p.k1('E', kTop, kLeft, kBottom, kRight, '1', 'O');
  EXPECT_EQ(p.linesOf("ELLIPSE"), Lines{"ELLIPSE (100,-200,1000,-900)"});
  EXPECT_EQ(p.linesOf("CREATEPEN"), Lines{"CREATEPEN #1 style=SOLID width=25 color=rgb(11,12,13)"});
  EXPECT_EQ(p.linesOf("SELECTOBJECT").front(), "SELECTOBJECT NULL_BRUSH");  // hollow
  EXPECT_EQ(p.drawer.state().outlineAsBytes(), platform::rgb(231, 231, 231));
}

TEST(ShapeDrawer, LineTypeCodesAndUnknownOnes) {
  TestPage p;
  p.k1('N', kTop, kLeft, kBottom, kRight, '1', 'Z');  // width 8: 80 × 2.54
  p.k1('N', kTop, kLeft, kBottom, kRight, '1', '7');  // unknown: the pen before
  p.k2('1', '1', 'Y');  // a K2's shape code read as a line type: 'Y' is width 7
  p.k1('N', kTop, kLeft, kBottom, kRight, '1', ' ');
  p.k2('1', '1', 'B');  // 'B' is no line type: unchanged
  p.k1('N', kTop, kLeft, kBottom, kRight, '1', ' ');
  p.k1('N', kTop, kLeft, kBottom, kRight, '1', '3');  // dotted, width 1
  EXPECT_EQ(p.linesOf("CREATEPEN"), (Lines{
      "CREATEPEN #1 style=SOLID width=203 color=rgb(0,0,0)",
      "CREATEPEN #1 style=SOLID width=203 color=rgb(0,0,0)",
      "CREATEPEN #1 style=SOLID width=177 color=rgb(0,0,0)",
      "CREATEPEN #1 style=SOLID width=177 color=rgb(0,0,0)",
      "CREATEPEN #1 style=DOT width=2 color=rgb(0,0,0)",
  }));
}

TEST(ShapeDrawer, FillsInTheLineColour) {
  struct Case { char fill; const char* brush; } cases[] = {
      {'0', "style=SOLID color=rgb(0,0,255)"},
      {'2', "style=HATCHED hatch=HORIZONTAL color=rgb(0,0,255)"},
      {'3', "style=HATCHED hatch=VERTICAL color=rgb(0,0,255)"},
      {'4', "style=HATCHED hatch=FDIAGONAL color=rgb(0,0,255)"},
      {'5', "style=HATCHED hatch=BDIAGONAL color=rgb(0,0,255)"},
      {'6', "style=HATCHED hatch=CROSS color=rgb(0,0,255)"},
      {'7', "style=HATCHED hatch=DIAGCROSS color=rgb(0,0,255)"},
  };
  for (const Case& c : cases) {
    TestPage p;
    p.k2('2', ' ', 'M');
    p.k1('M', kTop, kLeft, kBottom, kRight, c.fill);
    EXPECT_EQ(p.linesOf("CREATEBRUSHINDIRECT"), Lines{std::string("CREATEBRUSHINDIRECT #1 ") + c.brush})
        << c.fill;
  }
  for (char hollow : {'1', '9', 'x'}) {
    TestPage p;
    p.k1('M', kTop, kLeft, kBottom, kRight, hollow);
    EXPECT_TRUE(p.linesOf("CREATEBRUSHINDIRECT").empty()) << hollow;
    EXPECT_EQ(p.linesOf("SELECTOBJECT").front(), "SELECTOBJECT NULL_BRUSH") << hollow;
  }
}

TEST(ShapeDrawer, TintScreenDotsEvery37ThenTheBox) {
  TestPage p;
  p.k2('9', '1', 'B');
  p.k1('B', eu(200), eu(100), eu(300), eu(200), '8', 'O');  // 100 × 100
  const Lines lines = p.lines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 10), (Lines{
      "SETBKMODE OPAQUE",
      "SETPIXELV (100,-200) rgb(128,128,128)",
      "SETPIXELV (100,-237) rgb(128,128,128)",
      "SETPIXELV (100,-274) rgb(128,128,128)",
      "SETPIXELV (137,-200) rgb(128,128,128)",
      "SETPIXELV (137,-237) rgb(128,128,128)",
      "SETPIXELV (137,-274) rgb(128,128,128)",
      "SETPIXELV (174,-200) rgb(128,128,128)",
      "SETPIXELV (174,-237) rgb(128,128,128)",
      "SETPIXELV (174,-274) rgb(128,128,128)",
  }));
  EXPECT_EQ(lines[10], "SELECTOBJECT NULL_BRUSH");  // no fill after the dots
  EXPECT_EQ(p.linesOf("RECTANGLE"), (Lines{"RECTANGLE (100,-200,200,-300)",
                                           "RECTANGLE (100,-200,200,-300)"}));
}

TEST(ShapeDrawer, TintScreenStaysOnTheSheetAndWithinItsBudget) {
  {
    // A box over the whole coordinate range: dots only where the sheet is
    // (a small sheet, 20 × 30 mm with 1 mm margins, keeps the dump short).
    TestPage p({100, 1, 2000, 3000, 100, 100, false});
    p.k1('D', INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, '8');
    const Lines dots = p.linesOf("SETPIXELV");
    // 2001 × 3001 units hold 54 or 55 columns and 81 or 82 rows of the grid.
    EXPECT_GE(dots.size(), size_t{54 * 81});
    EXPECT_LE(dots.size(), size_t{55 * 82});
    for (const std::string& d : dots) {
      int x = 0, y = 0;
      ASSERT_EQ(std::sscanf(d.c_str(), "SETPIXELV (%d,%d)", &x, &y), 2) << d;
      ASSERT_TRUE(x >= -100 && x <= 2000 - 100 && -y >= -100 && -y <= 3000 - 100) << d;
    }
    EXPECT_EQ(p.drawer.tintDotsDropped(), 0);
  }
  {
    // A page takes so many dots and no more; the next page starts afresh.
    TestPage p(testing::a4Page(), 20);
    for (int i = 0; i < 3; ++i) p.k1('D', eu(200), eu(100), eu(300), eu(200), '8');
    EXPECT_EQ(p.drawer.tintDotsDropped(), 7);
    p.drawer.pageOpened();
    EXPECT_EQ(p.drawer.tintDotsDropped(), 0);
    p.k1('D', eu(200), eu(100), eu(300), eu(200), '8');
    EXPECT_EQ(p.linesOf("SETPIXELV").size(), 29u);
  }
}

TEST(ShapeDrawer, BottomAndRightBeyondTheSheetComeBackToItsMargin) {
  TestPage p;
  // Bottom 30000 > PH 29693: PH − 2·OY = 28847. Right 21000 > PW: 20997 − 846.
  p.k1('B', kTop, kLeft, eu(30000), eu(21000));
  p.k1('T', kTop, kLeft, eu(30000), eu(21000));  // bottom only
  p.k1('Y', kTop, kLeft, eu(21000), 0);           // right only, from the third field
  p.k1('N', kTop, kLeft, eu(29675), eu(20975));   // inside: unchanged
  p.k1('E', kTop, kLeft, eu(29675), eu(20975));
  EXPECT_EQ(p.linesOf("RECTANGLE").front(), "RECTANGLE (100,-200,20151,-28847)");
  EXPECT_EQ(p.linesOf("ELLIPSE").front(), "ELLIPSE (100,-200,20975,-29675)");
  EXPECT_EQ(p.linesOf("LINETO"), (Lines{"LINETO (100,-28847)", "LINETO (20151,-200)",
                                        "LINETO (20975,-29675)"}));
}

TEST(ShapeDrawer, LargePageClampsOnTheSheetToo) {
  // A2 at 0.1 mm: the sheet is 4200 × 5940 logical units; a bottom at 6000
  // comes back to (59400 − 2·423) / 10.
  testing::TestPage p({10, 10, 42000, 59400, 423, 423, false});
  p.k1('B', 200 * 16 / 10, 100 * 16 / 10, 6000 * 16 / 10, 4300 * 16 / 10);
  EXPECT_EQ(p.linesOf("RECTANGLE").front(), "RECTANGLE (100,-200,4115,-5855)");
}

TEST(ShapeDrawer, LinesAndTrianglesOutsideBatch) {
  struct Case { char shape; char fill; std::string drawn; } cases[] = {
      {'N', '1', "MOVETOEX (100,-200)|LINETO (1000,-900)"},
      {'T', '1', "MOVETOEX (100,-200)|LINETO (100,-900)"},
      {'Y', '1', "MOVETOEX (100,-200)|LINETO (900,-200)"},  // end x from the third field
      {'O', '1', "POLYLINE 3 (100,-900) (550,-200) (1000,-900)"},
      {'P', '1', "POLYLINE 3 (100,-200) (550,-900) (1000,-200)"},
      {'Q', '1', "POLYLINE 3 (1000,-200) (100,-550) (1000,-900)"},
      {'R', '1', "POLYLINE 3 (100,-200) (1000,-550) (100,-900)"},
      {'R', '4', "POLYLINE 3 (100,-200) (1000,-550) (100,-900)"},
      {'O', '0', "SELECTOBJECT BLACK_BRUSH|POLYGON 3 (100,-900) (550,-200) (1000,-900)"},
      {'H', '1', ""},  // nothing outside batch
      {'D', '1', ""},
      {'d', '1', ""},
      {'?', '1', ""},
  };
  for (const Case& c : cases) {
    TestPage p;
    p.k2('3', '1', 'B');
    p.k1(c.shape, kTop, kLeft, kBottom, kRight, c.fill, 'W');
    const Lines lines = p.lines();
    EXPECT_EQ(drawnWithPen(lines), c.drawn) << c.shape << c.fill;
    EXPECT_EQ(lines.back(), "SETBKMODE TRANSPARENT");
  }
}

TEST(ShapeDrawer, BatchPullsEndsInByHalfThePen) {
  // Width kind 3 stored 30: pen 76, h = 38.1 (a vertical line from 100 to
  // 900 runs from 138 to 861).
  struct Case { char shape; char fill; std::string drawn; } cases[] = {
      {'T', '1', "MOVETOEX (138,-138)|LINETO (138,-861)"},
      {'N', '1', "MOVETOEX (138,-238)|LINETO (961,-861)"},
      {'H', '1', "MOVETOEX (61,-238)|LINETO (1038,-861)"},
      {'Y', '1', "MOVETOEX (138,-238)|LINETO (861,-238)"},  // to 900 − h
      {'O', '1', "POLYLINE 3 (138,-861) (550,-238) (961,-861)"},
      {'P', '1', "POLYLINE 3 (138,-238) (550,-861) (961,-238)"},
      {'Q', '1', "POLYLINE 3 (961,-238) (138,-550) (961,-861)"},
      {'R', '0', "SELECTOBJECT BLACK_BRUSH|POLYGON 3 (138,-238) (961,-550) (138,-861)"},
  };
  for (const Case& c : cases) {
    TestPage p(testing::a4Page(true));
    p.k1(c.shape, c.shape == 'T' ? eu(100) : kTop, kLeft, c.shape == 'T' ? eu(900) : kBottom,
         kRight, c.fill, 'A');
    const Lines lines = p.lines();
    EXPECT_EQ(p.linesOf("CREATEPEN"),
              Lines{"CREATEPEN #" + std::string(c.fill == '0' ? "2" : "1") +
                    " style=INSIDEFRAME width=76 color=rgb(0,0,0)"});
    EXPECT_EQ(drawnWithPen(lines), c.drawn) << c.shape;
  }
}

TEST(ShapeDrawer, RoundedBoxTakesTheLastCornerSize) {
  TestPage p;
  p.k1('m', kTop, kLeft, 300, 0);  // the corner size rides in the third field
  p.k1('M', kTop, kLeft, kBottom, kRight);
  p.k1('m', kTop, kLeft, -5, 0);   // below zero: square corners
  p.k1('M', kTop, kLeft, kBottom, kRight);
  EXPECT_EQ(p.linesOf("ROUNDRECT"), (Lines{
      "ROUNDRECT (100,-200,1000,-900) corner=300x300",
      "ROUNDRECT (100,-200,1000,-900) corner=300x300",  // outline pass
      "ROUNDRECT (100,-200,1000,-900) corner=0x0",
      "ROUNDRECT (100,-200,1000,-900) corner=0x0",
  }));
  EXPECT_TRUE(p.linesOf("RECTANGLE").empty());  // 'm' draws nothing

  TestPage large({10, 10, 42000, 59400, 423, 423, false});
  large.k1('m', 0, 0, 300, 0);
  large.k1('M', 320, 160, 1440, 1600);
  EXPECT_EQ(large.linesOf("ROUNDRECT").front(), "ROUNDRECT (100,-200,1000,-900) corner=30x30");
}

TEST(ShapeDrawer, RuleStateCarriesAcrossPages) {
  TestPage p;
  p.k2('5', ' ', 'Z');
  p.k1('m', 0, 0, 250, 0);
  p.drawer.pageOpened();
  EXPECT_EQ(p.drawer.state().storedWidth, 80);
  EXPECT_EQ(p.drawer.state().cornerSize, 250);
  EXPECT_FALSE(p.drawer.state().outlineColour.has_value());
}

TEST(ShapeDrawer, RecordExtremesStayInRange) {
  // Every shape, fill and mode on the far corners of the coordinate space:
  // the arithmetic must not overflow (the sanitizers check) and the page
  // must still be a well-formed metafile.
  const int32_t far[] = {INT32_MIN, INT32_MAX, 0, -1};
  for (bool batch : {false, true}) {
    TestPage p(testing::a4Page(batch), 1000);
    p.settings.ruleWidths[7] = INT32_MAX;
    for (char shape : std::string("BEMmNTYOPQRHDd")) {
      for (char fill : {'0', '4', '8'}) {
        for (int32_t a : far) {
          for (int32_t b : far) {
            p.k1(shape, a, a, b, b, fill, 'Z');
            p.k1(shape, a, b, b, a, fill, 'Z');
          }
        }
      }
    }
    bool ok = false;
    tools::formatEmf(p.finish(), {}, &ok);
    EXPECT_TRUE(ok);
  }
}

}  // namespace
}  // namespace kumi::renderer::shapes
