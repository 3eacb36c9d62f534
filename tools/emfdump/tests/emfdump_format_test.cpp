#include "tools/emfdump/emfdump_format.h"

#include <gtest/gtest.h>

#include "platform/emf/emf_writer.h"

namespace kumi::tools {
namespace {

using namespace kumi::platform;

TEST(EmfDump, OneLineForEveryRecordTheWriterMakes) {
  EmfWriter w({4760, 6814, 201, 288, 0, 0}, {-423, -423, 20577, 29277}, "kumidesk 組版ページ");
  w.setMapMode(MapMode::HiMetric);
  w.setBkMode(BkMode::Transparent);
  LogFont f;
  f.height = 300;
  f.width = 150;
  f.escapement = 2700;
  f.orientation = 2700;
  f.weight = 800;
  f.italic = true;
  f.quality = FontQuality::Proof;
  f.faceName = "@ＭＳ 明朝";
  const ObjectHandle font = w.createFont(f);
  w.selectObject(font);
  w.setTextColor(rgb(0, 0, 255));
  w.textOut({1300, -2000}, "\x91\x67");
  const ObjectHandle pen = w.createPen({PenStyle::Dash, 25, rgb(255, 0, 0)});
  const ObjectHandle brush = w.createBrush({BrushStyle::Hatched, rgb(0, 255, 0), HatchStyle::Cross});
  const ObjectHandle oldPen = w.selectObject(pen);
  const ObjectHandle oldBrush = w.selectObject(brush);
  w.roundRect({0, 0, 100, -100}, {20, 20});
  const Point tri[] = {{0, 0}, {50, -100}, {100, 0}};
  w.polyline(tri);
  w.setPixelV({5, -5}, rgb(9, 8, 7));
  w.selectObject(oldPen);
  w.selectObject(oldBrush);
  w.deleteObject(pen);
  w.deleteObject(brush);
  w.beginPath();
  w.rectangle({0, 0, 10, -10});
  w.endPath();
  w.selectClipPath(RegionMode::Copy);
  w.resetClip();
  w.saveDC();
  w.restoreDC(-1);
  const std::string dump = formatEmf(w.finish());
  const std::string body = dump.substr(dump.find('\n') + 1);
  EXPECT_EQ(body,
            "SETMAPMODE HIMETRIC\n"
            "SETBKMODE TRANSPARENT\n"
            "EXTCREATEFONTINDIRECTW #1 face=\"@ＭＳ 明朝\" height=300 width=150 escapement=2700 "
            "orientation=2700 weight=800 italic charset=1 quality=2\n"
            "SELECTOBJECT #1\n"
            "SETTEXTCOLOR rgb(0,0,255)\n"
            "EXTTEXTOUTW (1300,-2000) \"組\" dx=300\n"
            "CREATEPEN #2 style=DASH width=25 color=rgb(255,0,0)\n"
            "CREATEBRUSHINDIRECT #3 style=HATCHED hatch=CROSS color=rgb(0,255,0)\n"
            "SELECTOBJECT #2\n"
            "SELECTOBJECT #3\n"
            "ROUNDRECT (0,0,100,-100) corner=20x20\n"
            "POLYLINE 3 (0,0) (50,-100) (100,0)\n"
            "SETPIXELV (5,-5) rgb(9,8,7)\n"
            "SELECTOBJECT BLACK_PEN\n"
            "SELECTOBJECT WHITE_BRUSH\n"
            "DELETEOBJECT #2\n"
            "DELETEOBJECT #3\n"
            "BEGINPATH\n"
            "RECTANGLE (0,0,10,-10)\n"
            "ENDPATH\n"
            "SELECTCLIPPATH COPY\n"
            "EXTSELECTCLIPRGN COPY default\n"
            "SAVEDC\n"
            "RESTOREDC -1\n"
            "EOF\n");
  EXPECT_EQ(dump.rfind("HEADER ", 0), 0u);
  EXPECT_NE(dump.find("frame=(-423,-423,20577,29277) device=4760x6814 mm=201x288 um=201000x288000 "
                      "records=26"),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("handles=4 description=\"kumidesk 組版ページ\"\n"), std::string::npos);
}

TEST(EmfDump, SaysWhereAWalkStops) {
  EmfWriter w({100, 100, 10, 10, 0, 0}, {0, 0, 1000, 1000}, "");
  w.setMapMode(MapMode::Text);
  std::vector<uint8_t> file = w.finish();
  // Break the SETMAPMODE record's size: 10 is not a multiple of 4.
  const size_t at = file[4];  // the header's size (less than 256 here)
  file[at + 4] = 10;
  bool ok = true;
  const std::string dump = formatEmf(file, {}, &ok);
  EXPECT_FALSE(ok);
  EXPECT_NE(dump.find("error: a record's size is not a multiple of 4 (offset " +
                      std::to_string(at) + ")\n"),
            std::string::npos)
      << dump;
}

TEST(EmfDump, MalformedAndUnknownRecordsGetALineEach) {
  EmfWriter w({100, 100, 10, 10, 0, 0}, {0, 0, 1000, 1000}, "");
  w.comment(std::vector<uint8_t>(8, 'k'));
  std::vector<uint8_t> file = w.finish();
  const size_t at = file[4];
  file[at] = 0x70;      // type 112: SETICMPROFILEA, shown by name and size
  bool ok = false;
  std::string dump = formatEmf(file, {.offsets = true}, &ok);
  EXPECT_TRUE(ok);
  EXPECT_NE(dump.find(" SETICMPROFILEA size=20\n"), std::string::npos) << dump;
  file[at] = 0xC8;      // 200: no such record
  dump = formatEmf(file);
  EXPECT_NE(dump.find("\nUNKNOWN(200) size=20\n"), std::string::npos) << dump;
  file[at] = 0x46;      // GDICOMMENT again, but claiming more data than it holds
  file[at + 8] = 99;
  dump = formatEmf(file);
  EXPECT_NE(dump.find("\nGDICOMMENT size=20 (malformed)\n"), std::string::npos) << dump;
}

}  // namespace
}  // namespace kumi::tools
