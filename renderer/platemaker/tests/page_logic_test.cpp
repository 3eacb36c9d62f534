// The plain rules of a run: arguments, page geometry, page names and the
// MarginShift.
#include <gtest/gtest.h>

#include "renderer/platemaker/page_geometry.h"
#include "renderer/platemaker/page_name.h"
#include "renderer/platemaker/reference_printer.h"
#include "renderer/platemaker/run_mode.h"

namespace kumi::renderer {
namespace {

using namespace std::string_view_literals;
using pagefile::RecordBytes;

TEST(RunMode, IsTheFirstCharacterOfTheArgumentText) {
  struct Case { std::vector<const char*> args; const char* text; char mode; } cases[] = {
      {{"platemaker"}, "", '\0'},
      {{"platemaker", "G"}, "G", 'G'},
      {{"platemaker", "2"}, "2", '2'},
      {{"platemaker", "", "1"}, "1", '1'},
      {{"platemaker", "  12", "x"}, "12 x", '1'},
      {{"platemaker", " "}, "", '\0'},
  };
  for (const Case& c : cases) {
    const std::string text = argumentText(static_cast<int>(c.args.size()), c.args.data());
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(runModeOf(text), c.mode) << c.text;
  }
}

TEST(MulDiv, RoundsToTheNearestAndRefusesWhatCannotBe) {
  EXPECT_EQ(mulDiv(4960, 2540, 600), 20997);  // 20997.33
  EXPECT_EQ(mulDiv(7014, 2540, 600), 29693);  // 29692.6
  EXPECT_EQ(mulDiv(3, 1, 2), 2);              // halves away from zero
  EXPECT_EQ(mulDiv(-3, 1, 2), -2);
  EXPECT_EQ(mulDiv(3, -1, 2), -2);
  EXPECT_EQ(mulDiv(1, 1, 0), -1);
  EXPECT_EQ(mulDiv(2147483647, 2540, 1), -1);
}

platform::PrinterCaps a4() { return platform::virtualPrinterCaps(); }

TEST(PageGeometry, AnA4SheetIsAStandardPage) {
  const PageGeometry g = *geometryOf(a4());
  EXPECT_EQ(g.pw, 20997);
  EXPECT_EQ(g.ph, 29693);
  EXPECT_EQ(g.ox, 423);
  EXPECT_EQ(g.oy, 423);
  EXPECT_EQ(g.mode, settings::PageMode::Standard);
  EXPECT_EQ(g.pageScale, 100);
  EXPECT_EQ(g.sizeDivisor, 1);
  EXPECT_EQ(g.fontCorrection, 1.0);
  EXPECT_EQ(g.mapMode(), platform::MapMode::HiMetric);
  EXPECT_EQ(g.frame(), (platform::Rect{-423, -423, 20574, 29270}));
  EXPECT_EQ(g.logicalSheet(), (platform::Rect{-423, 423, 20574, -29270}));
  EXPECT_EQ(g.shiftX(), 67);  // 423 × 16 / 100
  EXPECT_EQ(g.toLogical(16), 100);
  EXPECT_EQ(g.toLogical(-17), -106);  // truncated toward zero
  EXPECT_EQ(g.reference.horzRes, 4760);
  EXPECT_EQ(g.reference.vertSize, 288);
}

TEST(PageGeometry, ASheetWiderThan32767HundredthsIsALargePage) {
  platform::PrinterCaps wide = a4();
  wide.physicalWidth = 7740;  // 327.66 mm stays standard, 327.7 mm does not
  EXPECT_EQ(geometryOf(wide)->mode, settings::PageMode::Standard);
  wide.physicalWidth = 7741;
  const PageGeometry g = *geometryOf(wide);
  EXPECT_EQ(g.pw, 32770);
  EXPECT_EQ(g.mode, settings::PageMode::Large);
  EXPECT_EQ(g.pageScale, 10);
  EXPECT_EQ(g.sizeDivisor, 10);
  EXPECT_EQ(g.fontCorrection, 1.03);
  EXPECT_EQ(g.mapMode(), platform::MapMode::LoMetric);
  EXPECT_EQ(g.frame(), (platform::Rect{-423, -423, 32347, 29270}));  // always 0.01 mm
  EXPECT_EQ(g.logicalSheet(), (platform::Rect{-42, 42, 3234, -2927}));
  EXPECT_EQ(g.toLogical(16), 10);
}

TEST(PageGeometry, ASheetTheArithmeticCannotHoldIsRefused) {
  platform::PrinterCaps huge = a4();
  huge.physicalWidth = 2000000000;
  EXPECT_FALSE(geometryOf(huge));
}

TEST(PageGeometry, AHugeMarginShiftsWithoutOverflow) {
  // A printer section may give any sizes; OX × 16 must not leave 32 bits.
  platform::PrinterCaps far = a4();
  far.logPixelsX = far.logPixelsY = 2540;
  far.physicalWidth = far.physicalHeight = 400000000;
  far.physicalOffsetX = far.physicalOffsetY = 200000000;
  const PageGeometry g = *geometryOf(far);
  EXPECT_EQ(g.shiftX(), 32000000);
  EXPECT_EQ(g.shiftY(), 32000000);
}

TEST(DeviceName, IsTheTextBeforeTheFirstCommaOf63Bytes) {
  std::string collected;
  EXPECT_EQ(deviceNameOf("Laser,winspool,LPT1:", &collected), "Laser");
  EXPECT_FALSE(deviceNameOf("NoComma", &collected));
  EXPECT_EQ(collected, "NoComma");
  const std::string longName(70, 'x');
  EXPECT_FALSE(deviceNameOf(longName + ",drv,port", &collected));
  EXPECT_EQ(collected, std::string(63, 'x'));
  EXPECT_EQ(deviceNameOf(",drv", &collected), "");
}

RecordBytes named(std::string_view name) {
  RecordBytes r{};
  for (size_t i = 0; i < 4; ++i) r[i] = static_cast<uint8_t>(name[i]);
  return r;
}

TEST(PageName, ShortNamesGetLeadingZerosAndUnsafeBytesGo) {
  struct Case { std::string_view raw; const char* name; } cases[] = {
      {"0001"sv, "0001"},      {"7\0\0\0"sv, "0007"},   {"12\0\0"sv, "0012"},
      {"123\0"sv, "0123"},     {"\0\0\0\0"sv, "000_"},  {"1\0\0" "5"sv, "1__5"},
      {"../x"sv, ".._x"},      {"a\\\"b"sv, "a__b"},    {"\x82\xA0 1"sv, "___1"},
      {"AB\x7F\n"sv, "AB__"},
  };
  for (const Case& c : cases) {
    RecordBytes r = named(c.raw);
    normalisePageName(r);
    EXPECT_EQ(std::string(r.begin(), r.begin() + 4), c.name);
  }
}

RecordBytes withInts(const char kind[3], char shapeCode, int32_t a, int32_t b, int32_t c, int32_t d) {
  RecordBytes r{};
  pagefile::writeI32LE(r, 4, a);
  pagefile::writeI32LE(r, 8, b);
  pagefile::writeI32LE(r, 12, c);
  pagefile::writeI32LE(r, 16, d);
  r[22] = static_cast<uint8_t>(shapeCode);
  r[23] = static_cast<uint8_t>(kind[0]);
  r[24] = static_cast<uint8_t>(kind[1]);
  return r;
}

TEST(MarginShift, MovesThePositionsEachKindHolds) {
  struct Case { const char* kind; char shape; std::array<int32_t, 4> after; } cases[] = {
      {"K1", 'B', {100 - 7, 200 - 5, 300 - 7, 400 - 5}},
      {"K1", 'Y', {100 - 7, 200 - 5, 300 - 5, 400 - 5}},  // byte 12 is the end x
      {"K1", 'm', {100 - 7, 200 - 5, 300, 400}},          // the corner size stays
      {"G1", '0', {100 - 7, 200 - 5, 300, 400}},
      {"YY", '0', {100 - 7, 200 - 5, 300, 400}},          // a character record
      {"K2", 'B', {100, 200, 300, 400}},
      {"G2", '0', {100, 200, 300, 400}},
      {"G3", '0', {100, 200, 300, 400}},
  };
  for (const Case& c : cases) {
    RecordBytes r = withInts(c.kind, c.shape, 100, 200, 300, 400);
    applyMarginShift(r, 5, 7);
    const std::array<int32_t, 4> got{pagefile::readI32LE(r, 4), pagefile::readI32LE(r, 8),
                                     pagefile::readI32LE(r, 12), pagefile::readI32LE(r, 16)};
    EXPECT_EQ(got, c.after) << c.kind << c.shape;
  }
  RecordBytes edge = withInts("G1", '0', INT32_MIN + 3, INT32_MAX - 3, 0, 0);
  applyMarginShift(edge, -67, 67);
  EXPECT_EQ(pagefile::readI32LE(edge, 4), INT32_MIN);
  EXPECT_EQ(pagefile::readI32LE(edge, 8), INT32_MAX);
}

}  // namespace
}  // namespace kumi::renderer
