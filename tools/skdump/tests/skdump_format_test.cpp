#include <gtest/gtest.h>

#include "tools/skdump/skdump_format.h"

namespace kumi::tools {
namespace {

using namespace kumi::pagefile;

TEST(Skdump, OneLineForEachKind) {
  CharacterRecord c;
  c.page = {'0', '0', '0', '1'};
  c.y = 800;
  c.x = 400;
  c.code[0] = 0x91;
  c.code[1] = 0x67;  // 組
  c.sizeCode = 0xC1;
  c.colour[0] = '1';
  ShapeColoursRecord k2;
  k2.page = c.page;
  k2.colour = '4';
  k2.shape = 'M';
  ShapeRecord k1;
  k1.page = c.page;
  k1.y1 = 1; k1.x1 = 2; k1.y2 = 3; k1.x2 = 4;
  k1.fill = '8'; k1.lineType = 'O'; k1.shape = 'M';
  ImageNameRecord g3;
  g3.page = c.page;
  g3.name = {'a', '.', 'b', 'm', 'p'};
  PageFileContents file;
  file.records = {encode(c), encode(k2), encode(k1), encode(g3)};
  file.trailingBytes = 3;
  EXPECT_EQ(formatPageFile(file),
            "0001 CHR  y=800 x=400 \"組\" code=9167 prop=0 font=0 size=\\xC1 b17=0 cls=K "
            "scale=0/0 colour=1- dir=Y style=-\n"
            "0001 K2   outline=0 colour=4 shape=M\n"
            "0001 K1   y1=1 x1=2 y2=3 x2=4 fill=8 line=O shape=M\n"
            "0001 G3   name=\"a.bmp\"\n"
            "partial record: the file ends 3 bytes into record 5\n");
}

TEST(Skdump, SingleByteCharacterShowsItsByte) {
  CharacterRecord c;
  c.page = {'0', '0', '0', '1'};
  c.cls = 'A';
  c.singleByte = 0xB6;  // ｶ
  c.code[0] = 0x83;
  c.code[1] = 0x4A;
  const std::string line = formatRecord(encode(c));
  EXPECT_NE(line.find("\"ｶ\""), std::string::npos) << line;
}

}  // namespace
}  // namespace kumi::tools
