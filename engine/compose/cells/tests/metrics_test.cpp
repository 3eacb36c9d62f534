#include <gtest/gtest.h>

#include <set>

#include "engine/compose/cells/cells.h"
#include "engine/compose/cells/font_classes.h"
#include "engine/compose/cells/metric_grid.h"
#include "engine/compose/cells/metrics.h"
#include "engine/core/size_code.h"
#include "engine/text/output.h"

namespace kumi::engine {
namespace {

constexpr Unit kKanji = 0x3441;        // 漢
constexpr Unit kFullA = 0x2341;        // Ａ
constexpr Unit kFullM = 0x234D;        // Ｍ
constexpr Unit kSmallI = 0x2369;       // ｉ
constexpr Unit kOpenParen = 0x214A;    // （
constexpr Unit kVoicedKa = 0x252C;     // ガ
constexpr Unit kHalfOne = 0x2931;      // half-width 1
constexpr Unit kLoneZero = 0xA330;     // ０ standing alone
constexpr Unit kLoneOne = 0xA331;

struct Setting {
  int q = 12;
  const char* font = "M0";
  char digitMode = '1';
  char scale = '0';
  char kind = 'B';
  bool vertical = false;
  char direction = 'P';
  uint8_t rawSize = 0;  // a size code outside the table
};

CurrentAttributes attributesOf(const Setting& s) {
  CurrentAttributes a;
  a.kindLetter = s.vertical ? 'J' : s.kind;
  a.vertical = s.vertical;
  a.advanceSize = s.rawSize != 0 ? s.rawSize : sizeCodeOfQ(s.q);
  a.fontClass = {s.font[0], s.font[1]};
  a.digitMode = s.digitMode;
  a.lineScale = s.scale;
  a.direction = s.direction;
  return a;
}

struct MeasureCase {
  const char* name;
  Setting setting;
  Unit code;
  char cls;
  bool second;
  int32_t advance;
  char flag;
};

Setting mode(char m) {
  Setting s;
  s.digitMode = m;
  return s;
}
Setting q(int size, char m = '1') {
  Setting s = mode(m);
  s.q = size;
  return s;
}
Setting font(const char* f, char direction = 'P') {
  Setting s;
  s.font = f;
  s.direction = direction;
  return s;
}
Setting scale(char code, int size = 12) {
  Setting s = q(size);
  s.scale = code;
  return s;
}

const MeasureCase kMeasureCases[] = {
    // Digit mode 0: full-width characters take an em, half-width ones half.
    {"mode0 kanji", mode('0'), kKanji, 'K', false, 48, '0'},
    {"mode0 listed letter", mode('0'), kFullA, 'K', false, 48, '0'},
    {"mode0 half-width letter", mode('0'), kFullA, 'A', false, 24, '0'},
    {"mode0 half-em space", mode('0'), code::kHalfEmSpace, 'K', false, 24, '1'},
    // Proportional metrics at Q12, font M0.
    {"A at Q12 M0", mode('1'), kFullA, 'K', false, 36, '1'},
    {"i at Q12 M0", mode('1'), kSmallI, 'K', false, 12, '1'},
    {"M at Q12 M0", mode('1'), kFullM, 'K', false, 44, '1'},
    {"M at Q12 G0", font("G0"), kFullM, 'K', false, 40, '1'},
    {"unlisted kanji", mode('1'), kKanji, 'K', false, 48, '0'},
    {"placeholder never matches", mode('1'), 0x0000, 'K', false, 48, '0'},
    // Sizes outside the width table scale the Q8 width.
    {"Q28 kanji", q(28), kKanji, 'K', false, 112, '0'},
    {"Q28 A", q(28), kFullA, 'K', false, 84, '1'},
    {"Q100 A", q(100), kFullA, 'K', false, 300, '1'},
    {"Q5 kanji", q(5), kKanji, 'K', false, 20, '0'},
    {"Q5 A", q(5), kFullA, 'K', false, 15, '1'},
    {"unknown size is 32 units", Setting{.rawSize = 'Z'}, kKanji, 'K', false, 32, '0'},
    // Scale along the line, then the half-width factor, each truncating.
    {"width scale 2 Q10 kanji", scale('2', 10), kKanji, 'K', false, 32, '0'},
    {"scale 5 half-width", scale('5'), kFullA, 'A', false, 12, '0'},
    {"scale 3 Q11 A", scale('3', 11), kFullA, 'K', false, 22, '1'},
    {"unknown scale is 100 and keeps the factor", scale('x'), kFullA, 'A', false, 24, '0'},
    // Half-width characters.
    {"voiced half-width is two bytes", mode('1'), kVoicedKa, 'A', false, 48, '0'},
    {"half-width digit horizontal", mode('1'), kHalfOne, 'A', false, 24, '0'},
    {"half-width digit horizontal, class K", mode('3'), kHalfOne, 'K', false, 24, '0'},
    {"half-width digit vertical", Setting{.digitMode = '3', .vertical = true}, kHalfOne, 'K', false, 24, '1'},
    {"kind A halves a full-width letter", Setting{.kind = 'A'}, kFullA, 'K', false, 24, '0'},
    {"half-width case past the grid is a full em", Setting{.font = "MR"}, kFullA, 'A', false, 24, '0'},
    // Digit mode 3 measures only digits by their own metrics.
    {"mode3 letter at full width", mode('3'), kFullA, 'K', false, 48, '0'},
    {"mode3 lone digit", mode('3'), kLoneZero, 'K', false, 32, '1'},
    {"mode2 lone digit", mode('2'), kLoneOne, 'K', false, 24, '1'},
    {"mode3 lone digit upright in vertical", Setting{.digitMode = '3', .vertical = true}, kLoneZero, 'K', false,
     48, '0'},
    {"mode3 lone digit turned in vertical", Setting{.digitMode = '3', .vertical = true, .direction = 'T'}, kLoneZero,
     'K', false, 32, '1'},
    // Font columns.
    {"F1 column is fixed pitch", font("F1"), kFullA, 'K', false, 48, '1'},
    {"unknown class uses column 0", font("X9"), kFullA, 'K', false, 36, '1'},
    {"two-byte class column 7", font("E\xBF"), kOpenParen, 'K', false, 24, '1'},
    {"two-byte class column 6 under W", font("E\xBF", 'W'), kOpenParen, 'K', false, 16, '1'},
    {"two-byte class column 11", font("F\xC1"), kFullA, 'K', false, 28, '1'},
    {"blank second character is 0", font("G "), kFullM, 'K', false, 40, '1'},
    // Spacing codes.
    {"three-quarter space", mode('1'), 0x237E, 'K', false, 36, '1'},
    {"quarter space", mode('1'), code::kEmptyCell, 'K', false, 12, '1'},
    {"no-width code", mode('1'), 0x2C6B, 'K', false, 0, '1'},
    // The second family has its own grid.
    {"second family A", mode('1'), kFullA, 'K', true, 40, '1'},
    {"second family bracket", mode('1'), kOpenParen, 'K', true, 24, '1'},
};

TEST(MeasureCharacter, Table) {
  for (const MeasureCase& c : kMeasureCases) {
    char flag = '?';
    const int32_t advance = measureCharacter(attributesOf(c.setting), c.code, c.cls, c.second, &flag);
    EXPECT_EQ(advance, c.advance) << c.name;
    EXPECT_EQ(flag, c.flag) << c.name;
  }
}

TEST(HalfWidthFactor, TwoSingleBytesKeepTheWholeAdvance) {
  for (uint32_t u = 0; u <= 0xFFFF; ++u) {
    const int expected = toSingleBytes(static_cast<Unit>(u)).count == 2 ? 100 : 50;
    ASSERT_EQ(metrics::halfWidthFactor(static_cast<Unit>(u)), expected) << std::hex << u;
  }
}

TEST(WidthTable, EveryClassAtItsSizesAndOutside) {
  // Class 16 is the em itself at every size of the table.
  for (int size : {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 24}) {
    EXPECT_EQ(metrics::classAdvance(16, sizeCodeOfQ(size)), 4 * size) << size;
  }
  EXPECT_EQ(metrics::classAdvance(10, sizeCodeOfQ(7)), 16);  // the table's one dip
  EXPECT_EQ(metrics::classAdvance(17, sizeCodeOfQ(24)), 100);
  EXPECT_EQ(metrics::classAdvance(3, sizeCodeOfQ(6)), 8);
  EXPECT_EQ(metrics::classAdvance(2, sizeCodeOfQ(12)), 0);
  EXPECT_EQ(metrics::classAdvance(18, sizeCodeOfQ(12)), 0);
  EXPECT_EQ(metrics::classAdvance(0, sizeCodeOfQ(12)), 0);
}

std::vector<int> row(const metrics::MetricRow& r, size_t from, size_t to) {
  return std::vector<int>(r.begin() + static_cast<ptrdiff_t>(from), r.begin() + static_cast<ptrdiff_t>(to));
}

int rowOf(Unit u) {
  for (size_t i = 0; i < metrics::kProportionalCount; ++i) {
    if (metrics::kProportionalCodes[i] == u) return static_cast<int>(i);
  }
  return -1;
}

TEST(MetricGrid, ReferenceRowsOfTheFirstFamily) {
  struct Reference {
    Unit code;
    std::vector<int> columns;
  };
  const Reference refs[] = {
      {0x2330, {8, 10, 10, 10, 8, 8, 8, 10, 8, 10, 8, 8, 8, 11, 10, 11, 9, 9, 10, 10, 10, 10, 10, 10}},
      {0x2341, {12, 11, 11, 11, 12, 12, 11, 11, 11, 11, 13, 9, 9, 11, 12, 12, 12, 12, 13, 13, 12, 12, 12, 12}},
      {0x2369, {4, 4, 4, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 6, 4, 4, 4, 4, 5, 5, 4, 4, 4, 4}},
      {0x214A, {8, 8, 8, 8, 8, 8, 5, 8, 8, 5, 5, 5, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8}},
  };
  for (const Reference& r : refs) {
    const int i = rowOf(r.code);
    ASSERT_GE(i, 0) << std::hex << r.code;
    EXPECT_EQ(row(metrics::kFirstFamilyGrid[static_cast<size_t>(i)], 0, 24), r.columns) << std::hex << r.code;
  }
}

TEST(MetricGrid, StructureOfBothGrids) {
  EXPECT_EQ(std::set<Unit>(metrics::kProportionalCodes.begin(), metrics::kProportionalCodes.end()).size(),
            metrics::kProportionalCount);
  const Unit halfEmRows[] = {0x214C, 0x214D, 0x2152, 0x2153, 0x2156, 0x2157, 0x215A, 0x215B, 0x214E, 0x214F,
                             0x2150, 0x2151, 0x2154, 0x2155, 0x2158, 0x2159, 0x2124, 0x2125, 0x2126};
  for (const auto* grid : {&metrics::kFirstFamilyGrid, &metrics::kSecondFamilyGrid}) {
    for (const metrics::MetricRow& r : *grid) {
      EXPECT_EQ(r[24], 16);
      EXPECT_EQ(r[25], 16);
    }
    for (Unit u : halfEmRows) {
      EXPECT_EQ(row((*grid)[static_cast<size_t>(rowOf(u))], 0, 24), std::vector<int>(24, 8)) << std::hex << u;
    }
  }
}

TEST(FontClasses, LettersOfBothFamilies) {
  struct LetterCase {
    const char* cls;
    bool second;
    char letter;
  };
  const LetterCase cases[] = {{"M ", false, 'A'}, {"G0", false, 'B'}, {"FK", false, 'J'}, {"F7", false, '7'},
                              {"MR", false, 'A'}, {"DR", true, 'K'},  {"S ", true, 'O'},  {"YR", true, 'T'},
                              {"MR", true, 'V'},  {"KM", true, 'A'}};
  for (const LetterCase& c : cases) {
    EXPECT_EQ(fontLetterOf({c.cls[0], c.cls[1]}, c.second), c.letter) << c.cls << c.second;
  }
  EXPECT_EQ(fontColumn({'L', 'B'}, true, 'P'), 24u);
  EXPECT_EQ(fontColumn({'L', 'B'}, false, 'P'), 0u);
}

}  // namespace
}  // namespace kumi::engine
