// Whole compositions of horizontal text through Engine::call, checked on the
// sk.dat they write (case format in compose_cases.h).
#include <gtest/gtest.h>

#include <string>

#include "compose_cases.h"

namespace kumi::engine {
namespace {

using testing::Case;
using testing::check;
using testing::ComposeRun;
using testing::MessageLog;
using testing::resultsOf;

TEST(ComposeE2E, LinePlacement) {
  const Case cases[] = {
      {"ＡＢＣ", "", "1000,100Ａ 1000,148Ｂ 1000,196Ｃ", "P=144 D=1 X=1000 Y=244"},
      {"", "", "", "P=0 D=0 X=1000 Y=100"},
      {"ＡＢＣ", "len=96", "1000,100Ａ 1000,148Ｂ 1080,100Ｃ", "P=144 D=2 X=1080 Y=148"},
      // Alignment codes.
      {"ＡＢＣ", "align=S len=400", "1000,228Ａ 1000,276Ｂ 1000,324Ｃ", "P=144 D=1 X=1000 Y=372"},
      {"ＡＢ", "align=H len=400", "1000,404Ａ 1000,452Ｂ", "P=96 D=1 X=1000 Y=500"},
      {"ＡＢＣＤ", "align=K len=295", "1000,100Ａ 1000,183Ｂ 1000,265Ｃ 1000,347Ｄ",
       "P=192 D=1 X=1000 Y=429"},
      {"ＡＢＣＤ", "align=L len=400", "1000,126Ａ 1000,226Ｂ 1000,326Ｃ 1000,426Ｄ",
       "P=192 D=1 X=1000 Y=526"},
      {"ＡＢＣＤＥ", "align=M len=160", "1000,100Ａ 1000,156Ｂ 1000,212Ｃ 1080,100Ｄ 1080,148Ｅ",
       "P=240 D=2 X=1080 Y=196"},
      {"ＡＢＣＤＥ", "align=K len=160", "1000,100Ａ 1000,156Ｂ 1000,212Ｃ 1080,100Ｄ 1080,212Ｅ",
       "P=240 D=2 X=1080 Y=324"},
      // N keeps RJ runs tight, K spreads them.
      {"Ａ１２３Ｂ", "align=N len=400 keep=4 RJ=１２３",
       "1000,100Ａ 1000,228１ 1000,276２ 1000,324３ 1000,452Ｂ", "P=240 D=1 X=1000 Y=580"},
      {"Ａ１２３Ｂ", "align=K len=400 keep=4 RJ=１２３",
       "1000,100Ａ 1000,188１ 1000,276２ 1000,364３ 1000,452Ｂ", "P=240 D=1 X=1000 Y=540"},
      // Kinsoku together with justification: the moved character's line is
      // spread, a last line of one character centred.
      {"ＡＢＣ）ＤＥ", "align=K len=160 GT=）",
       "1000,100Ａ 1000,212Ｂ 1080,100Ｃ 1080,156） 1080,212Ｄ 1160,156Ｅ", "P=288 D=3 X=1160 Y=204"},
      // A TB line with its own start, length and alignment; the next lines
      // take the call's.
      {"ＡＢ＠ＣＤＥＦ", "len=144 TB=H:200:240",
       "1000,344Ａ 1000,392Ｂ 1080,100Ｃ 1080,148Ｄ 1080,196Ｅ 1160,100Ｆ", "P=288 D=3 X=1160 Y=148"},
      // Block position in its extent.
      {"ＡＢＣ", "len=96 extent=200 balign=0", "1036,100Ａ 1036,148Ｂ 1116,100Ｃ", "P=144 D=2 X=1116 Y=148"},
      {"ＡＢＣ", "len=96 extent=200 balign=2", "1072,100Ａ 1072,148Ｂ 1152,100Ｃ", "P=144 D=2 X=1152 Y=148"},
      {"ＡＢＣ", "len=96 extent=100 balign=2", "1000,100Ａ 1000,148Ｂ 1080,100Ｃ", "P=144 D=2 X=1080 Y=148"},
  };
  for (const Case& c : cases) check(c);
}

TEST(ComposeE2E, BreakingAndSpaceRemoval) {
  const Case cases[] = {
      {"ＡＢ＠ＣＤ", "", "1000,100Ａ 1000,148Ｂ 1080,100Ｃ 1080,148Ｄ", "P=192 D=2 X=1080 Y=196"},
      {"ＡＢＣ、ＤＥ", "len=144 BR=、", "1000,100Ａ 1000,148Ｂ 1000,196Ｃ 1000,244、 1080,100Ｄ 1080,148Ｅ",
       "P=288 D=2 X=1080 Y=196"},
      {"ＡＢ（ＣＤ", "len=144 GM=（", "1000,100Ａ 1000,148Ｂ 1080,100（ 1080,148Ｃ 1080,196Ｄ",
       "P=240 D=2 X=1080 Y=244"},
      {"ＡＢ１２３４", "len=192 keep=1", "1000,100Ａ 1000,148Ｂ 1080,100１ 1080,148２ 1080,196３ 1080,244４",
       "P=288 D=2 X=1080 Y=292"},
      // Space removal that changes the line count: the space opening line 2
      // goes, the text is broken again into two lines.
      {"ＡＢ　ＣＤ", "len=96 trim=Y", "1000,100Ａ 1000,148Ｂ 1080,100Ｃ 1080,148Ｄ", "P=192 D=2 X=1080 Y=196"},
      {"ＡＢ　ＣＤ", "len=96 trim=N", "1000,100Ａ 1000,148Ｂ 1080,100　 1080,148Ｃ 1160,100Ｄ",
       "P=240 D=3 X=1160 Y=148"},
      {"ＡＢ＠　ＣＤ", "trim=Y", "1000,100Ａ 1000,148Ｂ 1080,100Ｃ 1080,148Ｄ", "P=192 D=2 X=1080 Y=196"},
      {"ＡＢ　　", "trim=Y", "1000,100Ａ 1000,148Ｂ", "P=96 D=1 X=1000 Y=196"},
      // Kinsoku with justification after removal.
      {"ＡＢ　Ｃ）", "len=144 align=K trim=Y GT=）", "1000,100Ａ 1000,196Ｂ 1080,100Ｃ 1080,196）",
       "P=192 D=2 X=1080 Y=292"},
  };
  for (const Case& c : cases) check(c);
}

TEST(ComposeE2E, GlyphsInsideTheirAdvance) {
  const Case cases[] = {
      // A Q8 glyph (GA) on a Q12 line stands on its bottom.
      {"ＡＢ", "GA=Ｂ:M:8:0:0", "1000,100Ａ 1016,148Ｂ", "P=96 D=1 X=1000 Y=196"},
      // Proportional: （ takes half an em and is drawn half a glyph left of it;
      // Ａ is centred in its 36 units.
      {"（Ａ", "digit=1", "1000,76（ 1000,118Ａ", "P=60 D=1 X=1000 Y=160"},
      // An HT run keeping its baseline stays level with the glyph before it.
      {"Ａ＜Ｂ＞", "HT=＜:＞:1:8:M:0:8:0:0:1", "1000,100Ａ 1000,148＜ 1000,180Ｂ 1000,212＞",
       "P=160 D=1 X=1000 Y=260"},
      {"Ａ＜Ｂ＞", "HT=＜:＞:1:8:M:0:8:0:0:0", "1000,100Ａ 1016,148＜ 1016,180Ｂ 1000,212＞",
       "P=160 D=1 X=1000 Y=260"},
      // Such a run broken over a line goes on in the new line, level with
      // the glyph before it there.
      {"Ａ＜ＢＣＤ＞", "len=144 HT=＜:＞:1:8:M:0:8:0:0:1",
       "1000,100Ａ 1000,148＜ 1000,180Ｂ 1000,212Ｃ 1080,100Ｄ 1080,132＞", "P=224 D=2 X=1080 Y=180"},
      // Kind A writes every character as single bytes, at half width.
      {"ＡＢ", "kind=A2", "1000,100A 1000,124B", "P=48 D=1 X=1000 Y=148"},
      // Direction codes: T from the result selector, V in the second family.
      {"Ａ", "sel=T", "1000,100Ａ/T", "P=48 D=1 X=1000 Y=148"},
      {"Ａ", "fam=Z", "1000,100Ａ/V", "P=48 D=1 X=1000 Y=148"},
      // DB: two glyphs, moved by their codes under L only.
      {"ＸＱ", "DB=ＸＹ000_Ｚ011_,ＱＲ555_Ｓ555_", "1019,76Ｙ 1017,79Ｚ 1000,148Ｒ 1000,148Ｓ",
       "P=96 D=1 X=1000 Y=196"},
      {"Ｘ", "cmd=B DB=ＸＹ000_Ｚ011_,ＱＲ555_Ｓ555_", "1000,100Ｙ 1000,100Ｚ", "P=48 D=1 X=1000 Y=148"},
      // A CA type-3 character is an image the size of its cell.
      {"ＡＸ", "CA=Ｘ:3:logo.bmp", "1000,100Ａ G1:1000,148 G3:logo.bmp G2:1000,148,48x48",
       "P=96 D=1 X=1000 Y=196"},
  };
  for (const Case& c : cases) check(c);
}

TEST(ComposeE2E, U0ContinuesInTheNextTier) {
  check({"ＡＢＣＤＥＦ", "kind=U0 len=96 extent=200 c1=300",
         "1000,100Ａ 1000,148Ｂ 1080,100Ｃ 1080,148Ｄ 1000,400Ｅ 1000,448Ｆ", "P=288 D=3 X=1000 Y=496"});
}

TEST(ComposeE2E, V0CrossesTwoPagesAndLatchesItsFirstCall) {
  MessageLog log;
  ComposeRun run("compose_e2e_v0");
  // Two tiers a page; continued tiers start 20 below the latched top.
  run.compose("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮ", "kind=V0 counter=2 len=96 extent=200 c1=300 c2=20");
  EXPECT_EQ(resultsOf(run.engine()), "P=672 D=7 X=1020 Y=496");
  EXPECT_EQ(run.engine().record().lineCounter, 1);  // the tier reached
  EXPECT_EQ(std::string(run.engine().record().pageName.data(), 4), "0002");
  // A later call starts in the tier it is given, on the page it names.
  run.compose("ＯＰ", "kind=V0 page=2 counter=1 len=96 extent=200 c1=300 c2=20");
  EXPECT_EQ(run.records(),
            "1000,100Ａ 1000,148Ｂ 1080,100Ｃ 1080,148Ｄ 1020,400Ｅ 1020,448Ｆ 1100,400Ｇ 1100,448Ｈ"
            " [0002] 1020,100Ｉ 1020,148Ｊ 1100,100Ｋ 1100,148Ｌ 1020,400Ｍ 1020,448Ｎ"
            " 1000,400Ｏ 1000,448Ｐ");
}

TEST(ComposeE2E, MeasuringV0KeepsPageAndTier) {
  ComposeRun run("compose_e2e_v0n");
  run.compose("Ａ", "kind=V0 counter=1 len=96 extent=200");  // latches one tier a page
  run.compose("ＡＢＣＤＥＦ", "cmd=N kind=V0 page=3 counter=0 len=96 extent=200");
  EXPECT_EQ(std::string(run.engine().record().pageName.data(), 4), "0003");
  EXPECT_EQ(run.engine().record().lineCounter, 0);
  EXPECT_EQ(resultsOf(run.engine()), "P=288 D=3 X=1000 Y=196");
  EXPECT_EQ(run.records(), "1000,100Ａ");
}

TEST(ComposeE2E, AnEmptyFirstV0CallLatchesToo) {
  ComposeRun run("compose_e2e_v0empty");
  run.compose("", "kind=V0 counter=1 extent=100");
  run.compose("ＡＢ", "kind=V0 counter=0 len=48 extent=100");
  EXPECT_EQ(run.records(), "1000,100Ａ [0002] 1000,100Ｂ");
}

TEST(ComposeE2E, V0WithoutATierCountSetsNoPageLimit) {
  ComposeRun run("compose_e2e_v0zero");
  run.compose("ＡＢＣ", "kind=V0 counter=0 len=48 extent=100 c1=200");
  EXPECT_EQ(run.records(), "1000,100Ａ 1000,300Ｂ 1000,500Ｃ");
}

}  // namespace
}  // namespace kumi::engine
