// Whole vertical compositions through Engine::call, checked on the sk.dat
// they write (case format in engine/tests/compose_cases.h). Every case sets
// Q12 columns (48 units wide) from the right edge X 1000 down from Y 100,
// so the first column's glyphs stand at X 952 and the next column is 80 to
// the left. The results read X for the Y down the column and Y for the
// column's right edge.
#include <gtest/gtest.h>

#include <string>

#include "engine/tests/compose_cases.h"

namespace kumi::engine {
namespace {

using testing::Case;
using testing::ComposeRun;
using testing::MessageLog;
using testing::resultsOf;

constexpr const char* kColumn = "kind=J0 x=1000 y=100 ";

void checkVertical(const Case& c, bool widthCodes = false) {
  MessageLog log;
  ComposeRun run("vertical_e2e");
  run.compose(c.text, std::string(kColumn) + c.options);
  const std::string results = resultsOf(run.engine());
  EXPECT_EQ(run.records(widthCodes), c.records) << c.text << "; " << c.options;
  EXPECT_EQ(results, c.results) << c.text << "; " << c.options;
}

TEST(VerticalE2E, ColumnPlacement) {
  const Case cases[] = {
      {"あいう", "", "100,952あ 148,952い 196,952う", "P=144 D=1 X=244 Y=1000"},
      {"", "", "", "P=0 D=0 X=100 Y=1000"},
      {"あいう", "len=96", "100,952あ 148,952い 100,872う", "P=144 D=2 X=148 Y=920"},
      // Block position: two columns 128 wide centred in 400 start 136 left of the origin.
      {"あいう", "len=96 extent=400 balign=0", "100,816あ 148,816い 100,736う", "P=144 D=2 X=148 Y=784"},
      {"あいう", "len=96 extent=400 balign=2", "100,952あ 148,952い 100,872う", "P=144 D=2 X=148 Y=920"},
      // Alignment: S, K, H and M as in horizontal setting; N (and B, L, O)
      // set the column at its start.
      {"あいう", "align=S", "268,952あ 316,952い 364,952う", "P=144 D=1 X=412 Y=1000"},
      {"あいう", "align=K", "100,952あ 316,952い 532,952う", "P=144 D=1 X=748 Y=1000"},
      {"あいう", "align=H", "436,952あ 484,952い 532,952う", "P=144 D=1 X=580 Y=1000"},
      {"あいう", "align=N", "100,952あ 148,952い 196,952う", "P=144 D=1 X=244 Y=1000"},
      {"あいう", "align=L", "100,952あ 148,952い 196,952う", "P=144 D=1 X=244 Y=1000"},
      {"あいうえお", "align=M len=160", "100,952あ 156,952い 212,952う 100,872え 148,872お",
       "P=240 D=2 X=196 Y=920"},
      // A TA column with its own start, length and alignment; the next column takes the call's.
      {"あい＠うえお", "TA=H:200:240", "344,952あ 392,952い 100,872う 148,872え 196,872お",
       "P=240 D=2 X=244 Y=920"},
  };
  for (const Case& c : cases) checkVertical(c);
}

TEST(VerticalE2E, TurnedAndUprightGlyphs) {
  const Case cases[] = {
      {"あ、ゃ", "", "100,952あ 148,952、/T 196,952ゃ/T", "P=144 D=1 X=244 Y=1000"},
      {"「ラー」", "", "100,952「/T 148,952ラ 196,952ー/T 244,952」/T", "P=192 D=1 X=292 Y=1000"},
      {"あ", "sel=T", "100,952あ/T", "P=48 D=1 X=148 Y=1000"},
      {"あ、", "fam=Z", "100,952あ/W 148,952、/T", "P=96 D=1 X=196 Y=1000"},
  };
  for (const Case& c : cases) checkVertical(c);
}

TEST(VerticalE2E, HalfWidthCharacters) {
  const Case cases[] = {
      // Two digits side by side in one em, the kanji one per em.
      {"昭和６３年", "digit=3", "100,952昭 148,952和 196,9526 196,9763 244,952年", "P=192 D=1 X=292 Y=1000"},
      // A lone full-width digit stands upright in a whole em.
      {"１０月５日", "digit=3", "100,9521 100,9760 148,952月 196,952５ 244,952日", "P=192 D=1 X=292 Y=1000"},
      // Without digit handling they are full-width characters.
      {"昭和６３年", "digit=0", "100,952昭 148,952和 196,952６ 244,952３ 292,952年",
       "P=240 D=1 X=340 Y=1000"},
      // A lone half-width character is centred and takes an em.
      {"あ5い", "digit=3", "100,952あ 148,9645 196,952い", "P=120 D=1 X=244 Y=1000"},
      {"2011", "", "100,9522 100,9760 148,9521 148,9761", "P=96 D=1 X=196 Y=1000"},
      {"123", "", "100,9521 100,9762 148,9643", "P=72 D=1 X=196 Y=1000"},
      // A pair is one place of a justified or centred column, a lone one an em.
      {"昭和６３年", "digit=3 align=K", "100,952昭 244,952和 388,9526 388,9763 532,952年",
       "P=192 D=1 X=676 Y=1000"},
      {"あ5い", "align=S", "268,952あ 316,9645 364,952い", "P=120 D=1 X=412 Y=1000"},
      // ｶﾞ is a full em wide: it stands alone, as its two single bytes.
      {"ｶﾞ", "", "100,952ｶ 100,976ﾞ", "P=48 D=1 X=148 Y=1000"},
  };
  for (const Case& c : cases) checkVertical(c);
}

TEST(VerticalE2E, PairsCarryTheirWidthCode) {
  // A half-width pair is drawn at width code 0 (not shown) whatever the
  // call's width scale; the lone one keeps it. Width code 2 makes the column 38 wide,
  // centred in the 48 of the em: its glyphs stand at 1000 - 38 - 5.
  checkVertical({"12あ3", "ws=2", "100,9571 100,9812 148,957あ~2 196,9663~2", "P=120 D=1 X=244 Y=1000"},
                true);
}

TEST(VerticalE2E, SecondFamilyDigitsPairAtWidthCode2) {
  // Digits given in the engine's half-width row stay class K in the second
  // family: the first moves 6/20 of its advance left, the second stands
  // 13/20 of it further right. The text is given as JIS units, in ASCII:
  // あ (0x2422) 6 (0x2936) 3 (0x2933) い (0x2424).
  checkVertical({"$\")6)3$$", "fam=Z tcode=Z digit=3",
                 "100,952あ/W 148,9456/W~2 148,9603/W~2 196,952い/W", "P=144 D=1 X=244 Y=1000"},
                true);
  // Alone, such a digit takes a full em at the column's X.
  checkVertical({"$\")6$$", "fam=Z tcode=Z digit=3", "100,952あ/W 148,9526/W 196,952い/W",
                 "P=120 D=1 X=244 Y=1000"},
                true);
}

TEST(VerticalE2E, GlyphSizesShareTheCentreLine) {
  const Case cases[] = {
      // A Q8 glyph (GA) in a Q12 column moves right by half the difference.
      {"あいう", "GA=い:M:8:0:0", "100,952あ 148,960い 196,952う", "P=144 D=1 X=244 Y=1000"},
      // An HT run keeping its baseline keeps the right edge of the glyph before it.
      {"あ＜い＞", "HT=＜:＞:1:8:M:0:8:0:0:1", "100,952あ 148,968＜/T 180,968い 212,952＞/T",
       "P=160 D=1 X=260 Y=1000"},
      // Broken over two columns, the run goes on in the second.
      {"あ＜いうえ＞", "len=144 HT=＜:＞:1:8:M:0:8:0:0:1",
       "100,952あ 148,968＜/T 180,968い 212,968う 100,888え 132,872＞/T", "P=224 D=2 X=180 Y=920"},
      {"あ＜い＞", "HT=＜:＞:1:8:M:0:8:0:0:0", "100,952あ 148,960＜/T 180,960い 212,952＞/T",
       "P=160 D=1 X=260 Y=1000"},
      // A CA type-3 character is an image as long as its advance and as wide as the column.
      {"あＸ", "CA=Ｘ:3:logo.bmp", "100,952あ G1:148,952 G3:logo.bmp G2:148,952,48x48", "P=96 D=1 X=196 Y=1000"},
  };
  for (const Case& c : cases) checkVertical(c);
}

TEST(VerticalE2E, JUContinuesInTheNextTier) {
  // Two columns fill the 200 of the extent; the third starts a tier 300
  // lower, again at the origin.
  checkVertical({"あいうえおかきく", "kind=JU len=96 extent=200 c1=300",
                 "100,952あ 148,952い 100,872う 148,872え 400,952お 448,952か 400,872き 448,872く",
                 "P=384 D=4 X=496 Y=920"});
}

TEST(VerticalE2E, JVCrossesPagesAndLatchesItsFirstCall) {
  MessageLog log;
  ComposeRun run("vertical_e2e_jv");
  // Two columns a tier, two tiers a page; continued tiers start 20 left of
  // the latched origin.
  const std::string flow = "kind=JV x=1000 y=100 len=96 extent=200 c1=300 c2=-20 ";
  run.compose("あいうえおかきくけこさしすせ", flow + "counter=2");
  EXPECT_EQ(resultsOf(run.engine()), "P=672 D=7 X=496 Y=980");
  EXPECT_EQ(run.engine().record().lineCounter, 1);  // the tier reached
  EXPECT_EQ(std::string(run.engine().record().pageName.data(), 4), "0002");
  // A later call starts in the tier it is given, on the page it names.
  run.compose("そた", flow + "page=2 counter=1");
  EXPECT_EQ(run.records(),
            "100,952あ 148,952い 100,872う 148,872え 400,932お 448,932か 400,852き 448,852く"
            " [0002] 100,932け 148,932こ 100,852さ 148,852し 400,932す 448,932せ"
            " 400,952そ 448,952た");
}

TEST(VerticalE2E, MeasuringJVKeepsPageAndTier) {
  ComposeRun run("vertical_e2e_jvn");
  run.compose("あ", "kind=JV x=1000 y=100 counter=1 len=96 extent=100");  // one tier a page
  run.compose("あいうえおか", "cmd=N kind=JV x=1000 y=100 page=3 counter=0 len=96 extent=100");
  EXPECT_EQ(std::string(run.engine().record().pageName.data(), 4), "0003");
  EXPECT_EQ(run.engine().record().lineCounter, 0);
  EXPECT_EQ(resultsOf(run.engine()), "P=288 D=3 X=196 Y=1000");
  EXPECT_EQ(run.records(), "100,952あ");
}

TEST(VerticalE2E, JVWithoutATierCountSetsNoPageLimit) {
  ComposeRun run("vertical_e2e_jvzero");
  run.compose("あいう", "kind=JV x=1000 y=100 counter=0 len=48 extent=100 c1=200");
  EXPECT_EQ(run.records(), "100,952あ 300,952い 500,952う");
}

TEST(VerticalE2E, HorizontalAndVerticalFlowsLatchApart) {
  ComposeRun run("vertical_e2e_latches");
  run.compose("Ａ", "kind=V0 counter=5 len=96 extent=200");
  run.compose("", "kind=JV x=1000 y=100 counter=1 extent=100");  // an empty first JV call latches too
  run.compose("あい", "kind=JV x=1000 y=100 counter=0 len=48 extent=100");
  EXPECT_EQ(run.records(), "1000,100Ａ 100,952あ [0002] 100,952い");
}

}  // namespace
}  // namespace kumi::engine
