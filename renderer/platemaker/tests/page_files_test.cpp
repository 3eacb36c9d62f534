// The page metafiles a run writes, read back through the EMF dump.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "renderer/platemaker/conversion.h"
#include "renderer/platemaker/page_drawing.h"
#include "renderer/platemaker/tests/run_folder.h"
#include "tools/emfdump/emfdump_format.h"

namespace kumi::renderer {
namespace {

using testing::characterAt;
using testing::RunFolder;

std::string dumpOf(const RunFolder& f, const char* name) {
  const std::string bytes = f.read(f.dataDir() / name);
  bool ok = false;
  const std::string dump = tools::formatEmf(
      std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), {}, &ok);
  EXPECT_TRUE(ok) << dump;
  return dump;
}

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

ConversionResult convertWithDrawing(char mode = '2') {
  PageDrawing drawing;
  NoStatus status;
  return convert(mode, drawing, status);
}

TEST(PageFiles, APageFileHoldsOnlyTheLastRunOfItsRecords) {
  RunFolder f("page_files_again");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 160, 320), characterAt("0001", 272, 320),
                characterAt("0002", 160, 320), characterAt("0001", 384, 320)});
  EXPECT_EQ(convertWithDrawing().pageCount, 3);
  const std::string first = dumpOf(f, "0001.emf");
  EXPECT_EQ(count(first, "EXTTEXTOUTW"), 1u) << first;
  // x 384 less the 67 units of margin, in hundredths of a millimetre.
  EXPECT_NE(first.find("EXTTEXTOUTW (1981,-1581) \"あ\""), std::string::npos) << first;
  EXPECT_EQ(count(dumpOf(f, "0002.emf"), "EXTTEXTOUTW"), 1u);
}

TEST(PageFiles, EachPageIsAWhiteSheetMeasuredAgainstThePrinter) {
  RunFolder f("page_files_sheet");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 0, 0)});
  convertWithDrawing();
  const std::string dump = dumpOf(f, "0001.emf");
  EXPECT_NE(dump.find("frame=(-423,-423,20574,29270) device=4760x6814"), std::string::npos) << dump;
  EXPECT_NE(dump.find("description=\"kumidesk 組版ページ\""), std::string::npos);
  EXPECT_NE(dump.find("SETMAPMODE HIMETRIC\nSETBKMODE TRANSPARENT\nSELECTOBJECT WHITE_BRUSH\n"
                      "SELECTOBJECT NULL_PEN\nRECTANGLE (-423,423,20574,-29270)\n"),
            std::string::npos) << dump;
}

pagefile::RecordBytes k2(const char* page, char colour, char outline, char lineType) {
  pagefile::ShapeColoursRecord r;
  std::copy(page, page + 4, r.page.begin());
  r.colour = colour;
  r.outlineColour = outline;
  r.shape = lineType;
  return pagefile::encode(r);
}

pagefile::RecordBytes box(const char* page, int32_t y1, int32_t x1, int32_t y2, int32_t x2,
                          char fill, char lineType) {
  pagefile::ShapeRecord r;
  std::copy(page, page + 4, r.page.begin());
  r.y1 = y1;
  r.x1 = x1;
  r.y2 = y2;
  r.x2 = x2;
  r.fill = fill;
  r.lineType = lineType;
  r.shape = 'B';
  return pagefile::encode(r);
}

TEST(PageFiles, RulesAndShapesKeepTheirStateAcrossPages) {
  RunFolder f("page_files_rules");
  f.writeSettings();
  f.writeSkDat({k2("0001", '5', '2', 'B'), box("0001", 160, 320, 480, 800, '0', 'A'),
                box("0002", 160, 320, 480, 800, '1', ' ')});
  convertWithDrawing('2');
  // Rule width 3 of WINKEI.cfg, stored 30: a pen of 76, inside the frame in
  // a batch run; corners less the 67 units of margin, in 0.01 mm.
  const std::string first = dumpOf(f, "0001.emf");
  EXPECT_NE(first.find("CREATEPEN #2 style=INSIDEFRAME width=76 color=rgb(255,0,0)\n"
                       "SELECTOBJECT #2\nRECTANGLE (1581,-581,4581,-2581)\n"
                       "CREATEPEN #3 style=INSIDEFRAME width=76 color=rgb(0,0,255)\n"),
            std::string::npos) << first;
  // The next page: black lines without a K2, the same pen and outline.
  const std::string second = dumpOf(f, "0002.emf");
  EXPECT_NE(second.find("CREATEPEN #1 style=INSIDEFRAME width=76 color=rgb(0,0,0)\n"
                        "SELECTOBJECT #1\nRECTANGLE (1581,-581,4581,-2581)\n"
                        "CREATEPEN #2 style=INSIDEFRAME width=76 color=rgb(0,0,255)\n"),
            std::string::npos) << second;
}

TEST(PageFiles, ALargePageCountsInTenthsOfAMillimetre) {
  RunFolder f("page_files_large");
  f.writeSettings();
  f.writeProfile(
      "[Windows]\ndevice=Wide,DRV,FILE:\n[Printer Wide]\nPHYSICALWIDTH=9000\n"
      "PHYSICALHEIGHT=7014\nPHYSICALOFFSETX=100\nPHYSICALOFFSETY=100\nLOGPIXELSX=600\n");
  f.writeSkDat({characterAt("0001", 160, 320)});
  convertWithDrawing();
  const std::string dump = dumpOf(f, "0001.emf");
  EXPECT_NE(dump.find("SETMAPMODE LOMETRIC"), std::string::npos) << dump;
  // 28 Q: H 700 hundredths / 10 × 1.03 = 72 tenths of a millimetre.
  EXPECT_NE(dump.find("height=72 width=36"), std::string::npos) << dump;
  EXPECT_NE(dump.find("EXTTEXTOUTW (58,-158)"), std::string::npos) << dump;
}

// A 2 × 2 two-colour bitmap file.
std::string tinyBitmap() {
  std::string b = "BM";
  auto u32 = [&b](uint32_t v) {
    for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  u32(70); u32(0); u32(62);
  u32(40); u32(2); u32(2); u32(1 | (1 << 16)); u32(0); u32(8); u32(0); u32(0); u32(0); u32(0);
  u32(0x000000); u32(0xFFFFFF);
  u32(0x40); u32(0x80);
  return b;
}

std::vector<pagefile::RecordBytes> maskPairImage(const char* page) {
  // x 1000 and y 2000 hundredths of a millimetre once the 67-unit margin is off.
  pagefile::ImagePlaceRecord g1;
  std::copy(page, page + 4, g1.page.begin());
  g1.y = 320 + 67;
  g1.x = 160 + 67;
  g1.mode = '2';
  pagefile::ImageNameRecord g3;
  std::copy(page, page + 4, g3.page.begin());
  const std::string name = "logo.bmp";
  std::copy(name.begin(), name.end(), g3.name.begin());
  pagefile::ImageSizeRecord g2;
  std::copy(page, page + 4, g2.page.begin());
  g2.height = 64;
  g2.width = 96;
  return {pagefile::encode(g1), pagefile::encode(g3), pagefile::encode(g2)};
}

TEST(PageFiles, ImagesAreDrawnAndABatchRunDeletesItsMaskPair) {
  for (const char mode : {'2', '1'}) {
    RunFolder f(std::string("page_files_images_") + mode);
    f.writeSettings();
    for (const char* name : {"logo.bmp", "logom.bmp"}) {
      std::ofstream(f.dataDir() / name, std::ios::binary) << tinyBitmap();
    }
    f.writeSkDat(maskPairImage("0001"));
    convertWithDrawing(mode);
    const std::string dump = dumpOf(f, "0001.emf");
    EXPECT_NE(dump.find("STRETCHDIBITS dest=(1000,-2000,600,-400) src=(0,0,2,2) rop=SRCAND"),
              std::string::npos) << dump;
    EXPECT_NE(dump.find("STRETCHDIBITS dest=(1000,-2000,600,-400) src=(0,0,2,2) rop=SRCINVERT"),
              std::string::npos) << dump;
    const bool kept = mode != '2';
    EXPECT_EQ(std::filesystem::exists(f.dataDir() / "logo.bmp"), kept) << mode;
    EXPECT_EQ(std::filesystem::exists(f.dataDir() / "logom.bmp"), kept) << mode;
  }
}

}  // namespace
}  // namespace kumi::renderer
