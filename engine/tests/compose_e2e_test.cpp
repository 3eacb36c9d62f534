// Whole compositions through Engine::call, checked on the sk.dat they write.
//
// One case a line: text; options; the records written; the results. Options
// change the call (kind, sizes, origin, length, alignment ...) or define a
// table before it. Records read "Y,X字", a page change "[0002]", a glyph
// direction other than Y "/T"; image records "G1:Y,X", "G3:name",
// "G2:Y,X,HxW".
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "call_builder.h"
#include "engine/core/engine.h"
#include "engine/pagefile/page_file_reader.h"
#include "msgbox_log.h"
#include "platform/base/cp932.h"
#include "run_dir.h"

namespace kumi::engine {
namespace {

using testing::CallBuilder;
using testing::MessageLog;
using testing::RunDirectory;

std::string sjis(const std::string& utf8) { return platform::utf8ToCp932Lossy(utf8); }

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::istringstream in(s);
  std::string item;
  while (std::getline(in, item, sep)) out.push_back(item);
  return out;
}

// A table definition from "GT=）、" (characters), "TB=S:200:240,..."
// (four-byte fields separated by ':'; a CA substitute takes twelve bytes) or
// "DB=..." (entries given byte for byte, '_' for a blank, separated by ',').
std::string tableDefinition(const std::string& name, const std::string& value) {
  std::string def = name + "  ";
  const bool fielded = value.find(':') != std::string::npos;
  if (name == "DB") {
    for (std::string entry : split(value, ',')) {
      for (char& ch : entry) if (ch == '_') ch = ' ';
      def += sjis(entry);
    }
  } else if (!fielded) {
    const std::string chars = sjis(value);
    for (size_t i = 0; i + 1 < chars.size(); i += 2) def += chars.substr(i, 2) + "  ";
  } else {
    for (const std::string& entry : split(value, ',')) {
      const std::vector<std::string> fields = split(entry, ':');
      for (size_t i = 0; i < fields.size(); ++i) {
        std::string f = sjis(fields[i]);
        f.resize(name == "CA" && i == 2 ? 12 : ((f.size() + 3) / 4) * 4, ' ');
        def += f.empty() ? "    " : f;
      }
    }
  }
  return def + "FF";
}

// The call of a case: the builder's defaults with a left-set line of ten
// Q12 characters at (100, 1000), pitch 80.
CallBuilder callOf(const std::string& text, const std::string& options, std::vector<std::string>& tables) {
  CallBuilder b;
  b.originX = 100;
  b.originY = 1000;
  b.linePitch = 80;
  b.lineLength = 480;
  b.lineAlign = "B";
  std::istringstream in(options);
  std::string opt;
  while (in >> opt) {
    const std::string key = opt.substr(0, opt.find('='));
    const std::string v = opt.substr(opt.find('=') + 1);
    if (key == "cmd") b.command[0] = v[0];
    else if (key == "fam") b.command[1] = v[0];
    else if (key == "sel") b.resultSelector[0] = v[0];
    else if (key == "kind") b.recordKind = v;
    else if (key == "page") b.pageNumber = (v + "    ").substr(0, 4);
    else if (key == "q") b.charSize = b.placeSize = (v + "   ").substr(0, 3);
    else if (key == "digit") b.digitMode = v;
    else if (key == "keep") b.keepTogether = v;
    else if (key == "hs") b.heightScale = v;
    else if (key == "x") b.originX = std::stoi(v);
    else if (key == "y") b.originY = std::stoi(v);
    else if (key == "extent") b.blockExtent = std::stoi(v);
    else if (key == "balign") b.blockAlign = v;
    else if (key == "pitch") b.linePitch = std::stoi(v);
    else if (key == "len") b.lineLength = std::stoi(v);
    else if (key == "counter") b.lineCounter = std::stoi(v);
    else if (key == "align") b.lineAlign = v;
    else if (key == "trim") b.spaceTrim = v;
    else if (key == "c1") b.coord1 = std::stoi(v);
    else if (key == "c2") b.coord2 = std::stoi(v);
    else tables.push_back(tableDefinition(key, v));
  }
  b.withText(sjis(text));
  return b;
}

std::string glyphText(const pagefile::CharacterRecord& c) {
  if (c.cls == 'A') return platform::cp932ToUtf8Lossy(std::string(1, static_cast<char>(c.singleByte)));
  const char bytes[2] = {static_cast<char>(c.code[0]), static_cast<char>(c.code[1])};
  return platform::cp932ToUtf8Lossy(std::string_view(bytes, 2));
}

std::string dump(const std::vector<pagefile::RecordBytes>& records) {
  std::ostringstream out;
  std::string page = "0001";
  for (const pagefile::RecordBytes& r : records) {
    const pagefile::PageName p = pagefile::pageOf(r);
    if (std::string(p.data(), 4) != page) {
      page.assign(p.data(), 4);
      out << " [" << page << "]";
    }
    out << ' ';
    switch (pagefile::kindOf(r)) {
      case pagefile::RecordKind::Character: {
        const pagefile::CharacterRecord c = pagefile::decodeCharacter(r);
        out << c.y << ',' << c.x << glyphText(c);
        if (c.direction != 'Y') out << '/' << c.direction;
        break;
      }
      case pagefile::RecordKind::ImagePlace: {
        const pagefile::ImagePlaceRecord g = pagefile::decodeImagePlace(r);
        out << "G1:" << g.y << ',' << g.x;
        break;
      }
      case pagefile::RecordKind::ImageName: out << "G3:" << pagefile::imageFileName(pagefile::decodeImageName(r)); break;
      case pagefile::RecordKind::ImageSize: {
        const pagefile::ImageSizeRecord g = pagefile::decodeImageSize(r);
        out << "G2:" << g.y << ',' << g.x << ',' << g.height << 'x' << g.width;
        break;
      }
      default: out << "rule"; break;
    }
  }
  const std::string s = out.str();
  return s.empty() ? s : s.substr(1);
}

std::string resultsOf(const Engine& e) {
  const CompositionResults& r = e.results();
  std::ostringstream out;
  out << "P=" << r.naturalLength << " D=" << r.lineCount << " X=" << r.cursorY << " Y=" << r.cursorX;
  return out.str();
}

// Runs in an open run; the records written by the calls between open and close.
class ComposeRun {
 public:
  explicit ComposeRun(const char* name) : dir_(name) {
    dir_.writeWinprm(dir_.windowsPath());
    CallBuilder open;
    open.command = "O ";
    engine_.call(open.args());
  }

  // Defines the case's tables, then composes its text.
  void compose(const std::string& text, const std::string& options) {
    std::vector<std::string> tables;
    CallBuilder b = callOf(text, options, tables);
    for (const std::string& t : tables) {
      CallBuilder def;
      def.recordKind = "P ";
      def.withText(t);
      engine_.call(def.args());
    }
    engine_.call(b.args());
  }

  std::string records() {
    CallBuilder close;
    close.command = "C ";
    engine_.call(close.args());
    pagefile::PageFileContents contents;
    EXPECT_TRUE(pagefile::readPageFile(dir_.skDat().string(), contents));
    return dump(contents.records);
  }

  Engine& engine() { return engine_; }

 private:
  RunDirectory dir_;
  Engine engine_;
};

struct Case {
  const char* text;
  const char* options;
  const char* records;
  const char* results;
};

void check(const Case& c) {
  MessageLog log;  // keeps a boundary message off the terminal
  ComposeRun run("compose_e2e");
  run.compose(c.text, c.options);
  const std::string results = resultsOf(run.engine());
  EXPECT_EQ(run.records(), c.records) << c.text << "; " << c.options;
  EXPECT_EQ(results, c.results) << c.text << "; " << c.options;
}

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
