// G3, G1 and G2 records as they come out in the page's metafile (emfdump
// lines), with small bitmap and metafile files made in a scratch data folder.
//
// The page is A4 at 600 dpi: PW 20997, PH 29693 hundredths of a millimetre;
// a standard page counts 0.01 mm, so eu(v) puts a record value at logical v.
#include "renderer/images/image_drawer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "platform/emf/emf_writer.h"
#include "renderer/images/tests/bmp_fixture.h"
#include "renderer/settings/tests/test_support.h"
#include "tools/emfdump/emfdump_format.h"

namespace kumi::renderer::images {
namespace {

using Lines = std::vector<std::string>;
using settings::testing::MessageLog;
using settings::testing::ScratchDir;
using testing::BmpSpec;
using testing::bmpFile;

constexpr int32_t eu(int32_t logical) { return logical * 16 / 100; }

class ImagePageTest : public ::testing::Test {
 protected:
  ImagePageTest() {
    settings_.dataDir = data_.stored();
    settings_.twipsPerPixel = 15;
    writer_ = std::make_unique<platform::EmfWriter>(platform::ReferenceDevice{4760, 6814, 201, 288},
                                                    platform::Rect{-423, -423, 20574, 29270}, "images");
    writer_->setMapMode(platform::MapMode::HiMetric);
  }

  ImageContext ctx() { return {*writer_, page_, settings_}; }

  void g3(const std::string& name) {
    pagefile::ImageNameRecord r;
    r.page = {'0', '0', '0', '1'};
    for (size_t i = 0; i < name.size() && i < r.name.size(); ++i) r.name[i] = name[i];
    drawer_.name(pagefile::encode(r), ctx());
  }
  void g1(int32_t y, int32_t x, char mode = '0') {
    pagefile::ImagePlaceRecord r;
    r.page = {'0', '0', '0', '1'};
    r.y = y;
    r.x = x;
    r.mode = mode;
    drawer_.place(pagefile::encode(r), ctx());
  }
  void g2(int32_t height, int32_t width) {
    pagefile::ImageSizeRecord r;
    r.page = {'0', '0', '0', '1'};
    r.height = height;
    r.width = width;
    drawer_.size(pagefile::encode(r), ctx());
  }
  // Place, name and size, in the engine's order.
  void image(const std::string& name, int32_t y, int32_t x, int32_t h, int32_t w, char mode = '0') {
    g1(y, x, mode);
    g3(name);
    g2(h, w);
  }

  // The page's records after the set-up, one emfdump line each.
  Lines lines() {
    std::istringstream in(tools::formatEmf(writer_->finish()));
    Lines out;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("HEADER", 0) == 0 || line.rfind("EOF", 0) == 0) continue;
      out.push_back(line);
    }
    out.erase(out.begin());  // the page's own SETMAPMODE
    return out;
  }
  Lines linesOf(const std::string& name) {
    Lines out;
    for (const std::string& l : lines()) {
      if (l.rfind(name, 0) == 0) out.push_back(l);
    }
    return out;
  }

  MessageLog log_;
  ScratchDir data_{"images_data"};
  settings::RenderSettings settings_;
  ImagePage page_{100, 20997, 29693};
  std::unique_ptr<platform::EmfWriter> writer_;
  ImageDrawer drawer_;
};

TEST_F(ImagePageTest, BitmapAtGivenSizeIsCopiedWithItsPalette) {
  data_.write("pic.bmp", bmpFile({}));
  image("pic.bmp", eu(1700), eu(1000), eu(400), eu(800));
  EXPECT_EQ(lines(), (Lines{
      "CREATEPALETTE #1 entries=2",
      "SELECTPALETTE #1",
      "REALIZEPALETTE",
      "STRETCHDIBITS dest=(1000,-1700,800,-400) src=(0,0,2,2) rop=SRCCOPY usage=RGB bitmap=2x2 bpp=1 colors=2",
      "SELECTPALETTE DEFAULT_PALETTE",
      "DELETEOBJECT #1",
  }));
  EXPECT_EQ(log_.text(), "");
}

TEST_F(ImagePageTest, NaturalSizeFollowsTheScreensPixels) {
  // 10 × 5 pixels at 15 twips a pixel: ((10 × 15) / 20 × 3514 / 10000) × 100.
  data_.write("pic.bmp", bmpFile({.width = 10, .height = 5, .bitCount = 24, .table = {}}));
  image("pic.bmp", eu(200), eu(100), 0, eu(800));
  EXPECT_EQ(linesOf("STRETCHDIBITS"), (Lines{
      "STRETCHDIBITS dest=(100,-200,200,-100) src=(0,0,10,5) rop=SRCCOPY usage=RGB bitmap=10x5 bpp=24",
  }));
}

TEST_F(ImagePageTest, AndModeAndTheModeStaysUntilTheNextPlace) {
  data_.write("pic.bmp", bmpFile({}));
  image("pic.bmp", eu(200), eu(100), eu(100), eu(100), '1');
  g2(eu(100), eu(100));  // same place, same mode
  g1(eu(200), eu(100), 'x');
  g2(eu(100), eu(100));
  Lines rops;
  for (const std::string& l : linesOf("STRETCHDIBITS")) rops.push_back(l.substr(l.find("rop=")));
  EXPECT_EQ(rops, (Lines{"rop=SRCAND usage=RGB bitmap=2x2 bpp=1 colors=2",
                         "rop=SRCAND usage=RGB bitmap=2x2 bpp=1 colors=2",
                         "rop=SRCCOPY usage=RGB bitmap=2x2 bpp=1 colors=2"}));
}

TEST_F(ImagePageTest, MaskPairAndsThenXorsItsPartnerAndListsBoth) {
  data_.write("pic.bmp", bmpFile({}));
  data_.write("picm.bmp", bmpFile({.width = 4}));
  image("pic.bmp", eu(200), eu(100), eu(100), eu(100), '2');
  g2(eu(100), eu(100));  // no new G1: the partner again, XORed
  Lines drawn;
  for (const std::string& l : linesOf("STRETCHDIBITS")) {
    drawn.push_back(l.substr(l.find("rop=")));
  }
  EXPECT_EQ(drawn, (Lines{"rop=SRCAND usage=RGB bitmap=2x2 bpp=1 colors=2",
                          "rop=SRCINVERT usage=RGB bitmap=4x2 bpp=1 colors=2",
                          "rop=SRCINVERT usage=RGB bitmap=4x2 bpp=1 colors=2"}));
  EXPECT_EQ(drawer_.maskPairList(),
            (std::vector<std::string>{data_.stored() + "pic.bmp", data_.stored() + "picm.bmp"}));
  data_.write("other.bmp", bmpFile({}));
  drawer_.deleteMaskPairFiles();
  EXPECT_FALSE(data_.exists("pic.bmp"));
  EXPECT_FALSE(data_.exists("picm.bmp"));
  EXPECT_TRUE(data_.exists("other.bmp"));
  EXPECT_TRUE(drawer_.maskPairList().empty());
}

TEST_F(ImagePageTest, MaskPairsNamedOutsideTheDataDirectoryAreNeverListed) {
  // A pair one folder above the data directory, named from sk.dat.
  const std::filesystem::path above = std::filesystem::path(data_.stored()).parent_path().parent_path();
  for (const char* name : {"kq.bmp", "kqm.bmp"}) {
    const std::string bytes = bmpFile({});
    std::ofstream(above / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  image("../kq.bmp", eu(200), eu(100), eu(100), eu(100), '2');
  EXPECT_EQ(linesOf("STRETCHDIBITS").size(), 2u);  // still drawn
  EXPECT_TRUE(drawer_.maskPairList().empty());      // but a batch run deletes nothing
  std::filesystem::remove(above / "kq.bmp");
  std::filesystem::remove(above / "kqm.bmp");
}

TEST(ImageNames, OnlyPlainNamesInTheDataDirectoryMayBeDeleted) {
  struct Case { const char* name; bool plain; } cases[] = {
      {"pic.bmp", true}, {"\x95\x5C.bmp", true},  // 表: its trail byte is no separator
      {"../pic.bmp", false}, {"a\\b.bmp", false}, {"/etc/x.bmp", false},
      {"..", false}, {".", false}, {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(namesFileInDataDir(c.name), c.plain) << c.name;
}

TEST_F(ImagePageTest, MaskPairListStopsAtItsLimit) {
  for (size_t i = 0; i < kMaskPairListMax + 5; ++i) {
    const std::string name = "p" + std::to_string(i) + ".bmp";
    data_.write(name, bmpFile({}));
    image(name, 0, 0, eu(100), eu(100), '2');
  }
  EXPECT_EQ(drawer_.maskPairList().size(), kMaskPairListMax);
}

TEST_F(ImagePageTest, SheetEdgesSqueezeAndAPictureBeyondThemIsNotDrawn) {
  data_.write("pic.bmp", bmpFile({}));
  image("pic.bmp", eu(29000), eu(20000), eu(1200), eu(2000));  // crosses right and bottom
  image("pic.bmp", eu(400), eu(21000), eu(100), eu(100));      // wholly right of the sheet
  EXPECT_EQ(linesOf("STRETCHDIBITS"), (Lines{
      "STRETCHDIBITS dest=(20000,-29000,997,-693) src=(0,0,2,2) rop=SRCCOPY usage=RGB bitmap=2x2 bpp=1 colors=2",
  }));
}

TEST_F(ImagePageTest, LargePageMeasuresTheSheetInItsOwnUnits) {
  page_ = {10, 40000, 50000};
  data_.write("pic.bmp", bmpFile({}));
  image("pic.bmp", eu(100 * 10), eu(3900 * 10), eu(100 * 10), eu(200 * 10));  // logical, 0.1 mm
  EXPECT_EQ(linesOf("STRETCHDIBITS"), (Lines{
      "STRETCHDIBITS dest=(3900,-100,100,-100) src=(0,0,2,2) rop=SRCCOPY usage=RGB bitmap=2x2 bpp=1 colors=2",
  }));
}

TEST_F(ImagePageTest, MissingFilesDrawNothingAndSayNothing) {
  image("none.bmp", eu(200), eu(100), eu(100), eu(100), '2');
  image("none.emf", eu(200), eu(100), eu(100), eu(100));
  image("none.wmf", eu(200), eu(100), eu(100), eu(100));
  image("noext", eu(200), eu(100), eu(100), eu(100));
  // Names of things that are not plain files: read as missing, never waited on.
  ASSERT_EQ(::mkfifo((data_.path() / "pipe.bmp").c_str(), 0600), 0);
  std::filesystem::create_directory(data_.path() / "folder.emf");
  image("pipe.bmp", eu(200), eu(100), eu(100), eu(100));
  image("folder.emf", eu(200), eu(100), eu(100), eu(100));
  EXPECT_EQ(lines(), Lines{});
  EXPECT_EQ(log_.text(), "");
  EXPECT_TRUE(drawer_.maskPairList().empty());
}

TEST_F(ImagePageTest, KindsNotDrawnAreReported) {
  data_.write("pic.png", "\x89PNG");
  data_.write("bad.bmp", "BM not really");
  image("pic.png", eu(200), eu(100), eu(100), eu(100));
  image("bad.bmp", eu(200), eu(100), eu(100), eu(100));
  EXPECT_EQ(lines(), Lines{});
  EXPECT_EQ(log_.text(), data_.stored() + "pic.png\tこの種類の画像は処理の対象外です。\n" +
                             data_.stored() + "bad.bmp\tこの種類の画像は処理の対象外です。\n");
}

// A Windows metafile drawing one rectangle in a 100 × 50 window; with the
// 22-byte placeable header in front when asked.
std::string windowsMetafile(bool placeable) {
  std::string b;
  auto u16 = [&b](uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
  };
  auto u32 = [&u16](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  if (placeable) {
    u32(0x9AC6CDD7);
    u16(0);
    u16(0); u16(0); u16(100); u16(50);  // box
    u16(1440);
    u32(0);
    u16(0x1234);  // checksum, not looked at
  }
  u16(1); u16(9); u16(0x0300); u32(9 + 5 + 5 + 7 + 3); u16(0); u32(7); u16(0);
  u32(5); u16(0x020B); u16(0); u16(0);       // SetWindowOrg 0, 0
  u32(5); u16(0x020C); u16(50); u16(100);    // SetWindowExt 100 × 50
  u32(7); u16(0x041B); u16(40); u16(90); u16(10); u16(10);  // Rectangle 10,10 - 90,40
  u32(3); u16(0);                            // EOF
  return b;
}

TEST_F(ImagePageTest, WindowsMetafileWithOrWithoutItsPlaceableHeaderDrawsTheSame) {
  data_.write("plain.wmf", windowsMetafile(false));
  data_.write("placed.wmf", windowsMetafile(true));
  image("plain.wmf", eu(2000), eu(1000), eu(500), eu(1000));
  const Lines plain = lines();
  writer_ = std::make_unique<platform::EmfWriter>(platform::ReferenceDevice{4760, 6814, 201, 288},
                                                  platform::Rect{-423, -423, 20574, 29270}, "images");
  writer_->setMapMode(platform::MapMode::HiMetric);
  image("placed.wmf", eu(2000), eu(1000), eu(500), eu(1000));
  EXPECT_EQ(lines(), plain);
  // x 1000 and y 2000 hundredths at 4760 pixels to 201 mm; 1000 × 500 likewise.
  EXPECT_EQ(plain, (Lines{
      "SAVEDC",
      "SETMAPMODE ANISOTROPIC",
      "SETVIEWPORTORGEX (237,473)",
      "SETVIEWPORTEXTEX 237x118",
      "SETWINDOWORGEX (0,0)",
      "SETWINDOWEXTEX 100x50",
      "RECTANGLE (10,10,90,40)",
      "RESTOREDC -1",
      "SETVIEWPORTORGEX (0,0)",
      "SETMAPMODE HIMETRIC",
  }));
}

TEST_F(ImagePageTest, AfterAWindowsMetafileThePlacementIsStillInPageUnits) {
  data_.write("plain.wmf", windowsMetafile(false));
  data_.write("pic.bmp", bmpFile({}));
  image("plain.wmf", eu(2000), eu(1000), eu(500), eu(1000));
  g3("pic.bmp");
  g2(eu(500), eu(1000));  // no new G1
  EXPECT_EQ(linesOf("STRETCHDIBITS"), (Lines{
      "STRETCHDIBITS dest=(1000,-2000,1000,-500) src=(0,0,2,2) rop=SRCCOPY usage=RGB bitmap=2x2 bpp=1 colors=2",
  }));
}

TEST_F(ImagePageTest, EnhancedMetafileIsPlayedIntoItsPlace) {
  // A picture 10 × 5 mm whose rectangle fills it.
  platform::EmfWriter picture(platform::ReferenceDevice{4760, 6814, 201, 288},
                              platform::Rect{0, 0, 1000, 500}, "picture");
  picture.setMapMode(platform::MapMode::HiMetric);
  picture.rectangle({0, 0, 1000, -500});
  const std::vector<uint8_t>& emf = picture.finish();
  data_.write("pic.emf", std::string(emf.begin(), emf.end()));
  image("pic.emf", eu(2000), eu(1000), eu(1000), eu(2000));  // twice the size
  const Lines drawn = lines();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), "SETMAPMODE HIMETRIC");
  Lines shapes;
  for (const std::string& l : drawn) {
    if (l.rfind("RECTANGLE", 0) == 0 || l.rfind("POLYGON", 0) == 0) shapes.push_back(l);
  }
  // Filled, then outlined; the picture's frame lands on the placement:
  // 1000..3000 across, 2000..3000 down.
  const std::string box = "POLYGON 4 (1000,-3000) (3000,-3000) (3000,-2000) (1000,-2000)";
  EXPECT_EQ(shapes, (Lines{box, box})) << ::testing::PrintToString(drawn);
  EXPECT_EQ(drawn.back(), "RESTOREDC -1");
}

TEST_F(ImagePageTest, ImageFilledTextLeavesItsImageCurrent) {
  data_.write("fill.bmp", bmpFile({}));
  g1(eu(100), eu(100), '1');
  drawer_.drawBitmapAt(ctx(), data_.stored() + "fill.bmp", 300, 400, 50, 60);
  g2(eu(200), eu(100));  // no G3: the filled text's image, at its place
  Lines drawn;
  for (const std::string& l : linesOf("STRETCHDIBITS")) drawn.push_back(l.substr(0, l.find(" usage")));
  EXPECT_EQ(drawn, (Lines{"STRETCHDIBITS dest=(300,-400,50,-60) src=(0,0,2,2) rop=SRCAND",
                          "STRETCHDIBITS dest=(300,-400,100,-200) src=(0,0,2,2) rop=SRCAND"}));
}

TEST(ImageType, ComesFromTheFileNamesOwnExtension) {
  struct Case {
    const char* path;
    ImageType type;
    const char* partner;
  };
  const Case cases[] = {
      {"/d/a.bmp", ImageType::Bitmap, "/d/am.bmp"},
      {"/d/a.DIB", ImageType::Bitmap, "/d/am.bmp"},
      {"/d/a.wmf", ImageType::WindowsMetafile, "/d/am.bmp"},
      {"/d/a.Emf", ImageType::EnhancedMetafile, "/d/am.bmp"},
      {"/d/a.png", ImageType::Unsupported, "/d/am.bmp"},
      {"/d/a.", ImageType::Unsupported, "/d/am.bmp"},
      {"/d/a", ImageType::None, "/d/am.bmp"},
      {"/data.v2/a.bmp", ImageType::Bitmap, "/data.v2/am.bmp"},
      {"C:\\data.emf\\a.b.bmp", ImageType::Bitmap, "C:\\data.emf\\am.bmp"},
      {"/data.emf/noext", ImageType::None, "/data.emf/noextm.bmp"},
      // 表 is 0x95 0x5C in CP932: its trail byte is no separator.
      {"/d/\x95\x5C.emf", ImageType::EnhancedMetafile, "/d/\x95\x5Cm.bmp"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(imageTypeOf(c.path), c.type) << c.path;
    EXPECT_EQ(maskPartnerOf(c.path), c.partner) << c.path;
  }
}

}  // namespace
}  // namespace kumi::renderer::images
