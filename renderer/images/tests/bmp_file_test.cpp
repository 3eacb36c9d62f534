// Bitmap files as they come from the data folder: what is drawn, what is
// refused and why.
#include "renderer/images/bmp_file.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "renderer/images/tests/bmp_fixture.h"

namespace kumi::renderer::images {
namespace {

using testing::BmpSpec;
using testing::bmpFile;

std::span<const uint8_t> bytesOf(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::string outcome(const std::string& file) {
  const auto r = readBmp(bytesOf(file));
  if (const auto* e = std::get_if<BmpError>(&r)) {
    switch (*e) {
      case BmpError::NotBitmap: return "not a bitmap";
      case BmpError::Unsupported: return "unsupported";
      case BmpError::Truncated: return "truncated";
    }
  }
  const BmpView& v = std::get<BmpView>(r);
  return std::to_string(v.width()) + "x" + std::to_string(v.height()) + " info " +
         std::to_string(v.info.size()) + " bits " + std::to_string(v.bits.size());
}

BmpSpec spec(void (*change)(BmpSpec&)) {
  BmpSpec s;
  change(s);
  return s;
}

TEST(BmpFile, Cases) {
  struct Case {
    const char* what;
    std::string file;
    std::string expected;
  };
  const Case cases[] = {
      {"two-colour 2x2", bmpFile({}), "2x2 info 48 bits 8"},
      {"top-down rows", bmpFile(spec([](BmpSpec& s) { s.height = -3; })), "2x3 info 48 bits 12"},
      {"24 bits, no table", bmpFile(spec([](BmpSpec& s) { s.bitCount = 24; s.width = 3; s.table = {}; })),
       "3x2 info 40 bits 24"},
      {"rows after a gap, found by the offset",
       bmpFile(spec([](BmpSpec& s) { s.gap = 6; })), "2x2 info 48 bits 8"},
      {"offset inside the table is not believed",
       bmpFile(spec([](BmpSpec& s) { s.bitsOffset = 20; })), "2x2 info 48 bits 8"},
      {"offset past the end is not believed",
       bmpFile(spec([](BmpSpec& s) { s.bitsOffset = 0x7FFFFFFF; })), "2x2 info 48 bits 8"},
      {"no BM", "XX" + bmpFile({}).substr(2), "not a bitmap"},
      {"shorter than the file header", "BM\x10", "not a bitmap"},
      {"cut inside the information header", bmpFile({}).substr(0, 30), "truncated"},
      {"cut inside the colour table", bmpFile(spec([](BmpSpec& s) { s.cutAt = 58; })), "truncated"},
      {"cut inside the rows", bmpFile(spec([](BmpSpec& s) { s.cutAt = 14 + 48 + 7; })), "truncated"},
      {"more colours than the bits allow",
       bmpFile(spec([](BmpSpec& s) { s.usedColours = 1000; })), "unsupported"},
      {"run-length compressed",
       bmpFile(spec([](BmpSpec& s) { s.bitCount = 8; s.compression = 1; })), "unsupported"},
      {"core header", bmpFile(spec([](BmpSpec& s) { s.headerSize = 12; })), "unsupported"},
      {"zero width", bmpFile(spec([](BmpSpec& s) { s.width = 0; })), "unsupported"},
      {"too many pixels to draw",
       bmpFile(spec([](BmpSpec& s) { s.width = 0x40000; s.height = 0x40000; s.cutAt = 200; })),
       "unsupported"},
  };
  for (const Case& c : cases) EXPECT_EQ(outcome(c.file), c.expected) << c.what;
}

}  // namespace
}  // namespace kumi::renderer::images
