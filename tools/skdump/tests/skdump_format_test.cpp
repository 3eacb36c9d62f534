#include <gtest/gtest.h>

#include <algorithm>

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

// Bytes from the file that would break the one-record-a-line shape (a newline,
// a quote) are escaped inside the quoted glyph and image name.
TEST(Skdump, ControlBytesAndQuotesStayOnTheirLine) {
  CharacterRecord c;
  c.page = {'0', '0', '0', '2'};
  c.cls = 'A';
  c.singleByte = '\n';
  ImagePlaceRecord g1;
  g1.page = c.page;
  g1.y = 10;
  g1.x = 20;
  g1.mode = '1';
  ImageNameRecord g3;
  g3.page = c.page;
  g3.name = {'a', '\n', '"', '\\', '.', 'b', 'm', 'p'};
  ImageSizeRecord g2;
  g2.page = c.page;
  g2.y = 10;
  g2.x = 20;
  g2.height = 168;
  g2.width = 340;
  g2.extent = 500;
  g2.kind = 'B';
  c.singleByte = '"';
  const std::string quote = formatRecord(encode(c));
  EXPECT_NE(quote.find(" \"\\\"\" "), std::string::npos) << quote;
  c.singleByte = '\n';
  PageFileContents file;
  file.records = {encode(c), encode(g1), encode(g3), encode(g2)};
  const std::string text = formatPageFile(file);
  EXPECT_NE(text.find("0002 CHR  y=0 x=0 \"\\x0A\" "), std::string::npos) << text;
  EXPECT_NE(text.find("\n0002 G1   y=10 x=20 mode=1\n"
                      "0002 G3   name=\"a\\x0A\\\"\\\\.bmp\"\n"
                      "0002 G2   y=10 x=20 height=168 width=340 extent=500 kind=B\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}

}  // namespace
}  // namespace kumi::tools
