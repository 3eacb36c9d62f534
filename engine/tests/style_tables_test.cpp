#include <gtest/gtest.h>

#include "engine/tables/style_tables.h"

namespace kumi::engine {
namespace {

constexpr Unit kOpenParen = 0x214A;  // （

TEST(StyleTables, AllEmptyAtStart) {
  StyleTables t;
  for (const TableSpec& s : kTableSpecs) EXPECT_TRUE(t.isEmpty(s.id)) << s.name;
}

TEST(StyleTables, PdEntryIsFoundAndRedefiningEmptyClearsIt) {
  StyleTables t;
  const DefineOutcome o = t.define("PD  \x81\x69  0   FF");
  EXPECT_TRUE(o.matched);
  EXPECT_FALSE(o.boundaryError);
  ASSERT_EQ(t.entryCount(TableId::PD), 1u);
  const auto e = t.find(TableId::PD, kOpenParen);
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(fieldNumber(*e, 1), 0);
  t.define("PD  FF");
  EXPECT_TRUE(t.isEmpty(TableId::PD));
  EXPECT_FALSE(t.find(TableId::PD, kOpenParen).has_value());
}

TEST(StyleTables, EndMarksAndFieldConversion) {
  struct Case { const char* name; std::string text; size_t stored; };
  const Case cases[] = {
      {"ff_pair", "GT  \x81\x41  ff", 4},
      {"byte_ff", "GT  \x81\x41  \xff" "GARBAGE", 4},
      {"no_mark", "GT  \x81\x41  \x81\x42  ", 8},
      {"empty", "GT  FF", 0},
      {"byte_ff_after_lead_byte", "GT  \x81\x41  \x81\x42 \x82\xff" "GARBAGE", 8},
  };
  for (const Case& c : cases) {
    StyleTables t;
    t.define(c.text);
    EXPECT_EQ(t.entryCount(TableId::GT), c.stored / 4) << c.name;
    const auto st = t.storage(TableId::GT);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(st[c.stored + i], 0xFF) << c.name;
  }
  StyleTables t;
  t.define("KZ  \x81\x69  \x81\x6A  70  H   \x81\x45      " "FF");
  const Entry e = t.entry(TableId::KZ, 0);
  EXPECT_EQ(fieldCode(e, 0), 0x214A);
  EXPECT_EQ(fieldNumber(e, 2), 70);
  // The walk turns the first four blanks it meets into NULs, byte by byte, so
  // the blank colour field after "・" reads as an empty code.
  EXPECT_EQ(fieldCode(e, 5), 0);
  EXPECT_EQ(fieldText(e, 4).substr(2), std::string_view("\0\0", 2));
}

TEST(StyleTables, BoundaryErrorStillStores) {
  StyleTables t;
  // 83 data bytes after the name: not a multiple of four.
  const std::string ht = "HT  " + std::string(83, '1') + "FF";
  const DefineOutcome o = t.define(ht);
  EXPECT_TRUE(o.matched);
  EXPECT_TRUE(o.boundaryError);
  EXPECT_EQ(o.tableName, "HT");
  EXPECT_FALSE(t.isEmpty(TableId::HT));
}

TEST(StyleTables, OverCapacityKeepsWhatFitsAndReports) {
  StyleTables t;
  std::string ga = "GA  ";
  for (int i = 0; i < 25; ++i) ga += "\x82\x60  M   12  0   0   ";  // 21 fit
  const DefineOutcome o = t.define(ga + "FF");
  EXPECT_TRUE(o.boundaryError);
  EXPECT_EQ(t.entryCount(TableId::GA), 21u);
}

TEST(StyleTables, UnknownNameIsNotATable) {
  StyleTables t;
  const DefineOutcome o = t.define("XY  hello");
  EXPECT_FALSE(o.matched);
}

TEST(StyleTables, TaDefinesTbToo) {
  StyleTables t;
  t.define("TB  S   100 500 FF");
  t.define("TA  K   200 900 FF");
  const Entry tb = t.entryAt(TableId::TB, 0);
  EXPECT_EQ(fieldText(tb, 0).substr(0, 1), "K");
  EXPECT_EQ(fieldNumber(tb, 1), 200);
  EXPECT_EQ(fieldNumber(tb, 2), 900);
  EXPECT_EQ(fieldNumber(t.entryAt(TableId::TA, 0), 1), 200);
}

TEST(StyleTables, LinesBeyondTheDefinitionReadAsStartZero) {
  StyleTables t;
  t.define("TB  S   100 500 S   100 600 FF");
  t.define("TB  S   300 700 FF");
  EXPECT_EQ(fieldNumber(t.entryAt(TableId::TB, 0), 1), 300);
  EXPECT_EQ(fieldNumber(t.entryAt(TableId::TB, 1), 1), 0);  // end mark reads as no number
  EXPECT_EQ(fieldNumber(t.entryAt(TableId::TB, 2), 1), 0);  // reset to "0000"
  EXPECT_TRUE(t.entryAt(TableId::TB, 5000).empty());
}

TEST(StyleTables, LeadByteCutByTheEndMarkStaysInBounds) {
  StyleTables t;
  const DefineOutcome o = t.define(std::string("GT  \x82", 5));
  EXPECT_TRUE(o.matched);
  EXPECT_TRUE(o.boundaryError);
}

}  // namespace
}  // namespace kumi::engine
