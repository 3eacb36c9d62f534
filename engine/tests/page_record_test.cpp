#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/pagefile/page_file_reader.h"
#include "engine/pagefile/page_record.h"

namespace kumi::pagefile {
namespace {

TEST(PageRecord, CharacterLayoutByteByByte) {
  CharacterRecord c;
  c.page = {'0', '0', '0', '1'};
  c.y = 0x01020304;
  c.x = -2;
  c.code[0] = 0x82;
  c.code[1] = 0xA0;
  c.proportional = '1';
  c.fontLetter = 'A';
  c.sizeCode = 0xC1;
  c.singleByte = '0';
  c.cls = 'K';
  c.widthScale = '2';
  c.heightScale = '3';
  c.colour[0] = '1';
  c.colour[1] = '6';
  c.direction = 'T';
  c.style = 'X';
  const RecordBytes b = encode(c);
  const RecordBytes expected = {'0', '0', '0', '1', 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF,
                                0xFF, 0x82, 0xA0, '1', 'A', 0xC1, '0', 'K', '2', '3', '1', '6',
                                'T', 'X'};
  EXPECT_EQ(b, expected);
  EXPECT_EQ(kindOf(b), RecordKind::Character);
  const CharacterRecord back = decodeCharacter(b);
  EXPECT_EQ(back.x, -2);
  EXPECT_EQ(back.y, 0x01020304);
}

TEST(PageRecord, ShapeAndImageRecordsRoundTrip) {
  ShapeRecord k1;
  k1.page = {'0', '0', '0', '2'};
  k1.y1 = 10; k1.x1 = 20; k1.y2 = 30; k1.x2 = 40;
  k1.fill = '0'; k1.lineType = 'O'; k1.shape = 'M';
  const RecordBytes b1 = encode(k1);
  EXPECT_EQ(kindOf(b1), RecordKind::Shape);
  EXPECT_EQ(b1[23], 'K');
  EXPECT_EQ(b1[24], '1');
  const ShapeRecord k1b = decodeShape(b1);
  EXPECT_EQ(k1b.x2, 40);
  EXPECT_EQ(k1b.shape, 'M');

  ImageSizeRecord g2;
  g2.extent = 0xBEEF;
  g2.kind = 'M';
  const RecordBytes b2 = encode(g2);
  EXPECT_EQ(kindOf(b2), RecordKind::ImageSize);
  EXPECT_EQ(b2[20], 0xEF);
  EXPECT_EQ(b2[21], 0xBE);
  EXPECT_EQ(decodeImageSize(b2).extent, 0xBEEF);

  ImageNameRecord g3;
  const char name[] = "kumidesk.bmp";
  std::copy(name, name + sizeof name - 1, g3.name.begin());
  EXPECT_EQ(imageFileName(decodeImageName(encode(g3))), "kumidesk.bmp");
}

TEST(PageFileReader, ReportsAPartialRecord) {
  std::vector<uint8_t> bytes(25 * 3 + 7, 'x');
  const PageFileContents c = splitRecords(bytes);
  EXPECT_EQ(c.records.size(), 3u);
  EXPECT_EQ(c.trailingBytes, 7u);
}

TEST(PageFileReader, ReadsAFileWholeAndRefusesAFolder) {
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / ("page_reader_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "sk.dat";
  std::ofstream(file, std::ios::binary) << std::string(25 * 2 + 1, 'x');
  PageFileContents c;
  EXPECT_TRUE(readPageFile(file.string(), c));
  EXPECT_EQ(c.records.size(), 2u);
  EXPECT_EQ(c.trailingBytes, 1u);
  EXPECT_FALSE(readPageFile(dir.string(), c));
  EXPECT_FALSE(readPageFile((dir / "missing.dat").string(), c));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kumi::pagefile
