// Bitmaps decoded from their bytes: every bit depth the pages can hold, both
// row orders, regions, and bytes that do not add up.
#include <gtest/gtest.h>

#include "platform/emf/byte_io.h"
#include "platform/player/dib_decode.h"
#include "tests/emf_fixtures.h"

namespace kumi::platform::player {
namespace {

std::vector<uint8_t> header(int32_t w, int32_t h, uint16_t bits, uint32_t compression = 0,
                            uint32_t used = 0) {
  std::vector<uint8_t> info;
  writeU32LE(info, 40);
  writeI32LE(info, w);
  writeI32LE(info, h);
  writeU16LE(info, 1);
  writeU16LE(info, bits);
  writeU32LE(info, compression);
  for (int i = 0; i < 3; ++i) writeU32LE(info, 0);
  writeU32LE(info, used);
  writeU32LE(info, 0);
  return info;
}

void quad(std::vector<uint8_t>& info, uint32_t rgb) {
  info.push_back(uint8_t(rgb));
  info.push_back(uint8_t(rgb >> 8));
  info.push_back(uint8_t(rgb >> 16));
  info.push_back(0);
}

const PixelRect kAll{0, 0, 1000, 1000};

TEST(DibDecode, OneBitWithItsColourTableBottomUp) {
  auto info = header(3, 2, 1);
  quad(info, 0x000000);
  quad(info, 0xFFFFFF);
  // Rows are stored bottom first, each padded to four bytes.
  const std::vector<uint8_t> bits = {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0};
  const auto img = decodeDib(info, bits, DibUsage::RgbColors, {}, kAll);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->pixels, (std::vector<uint32_t>{0xFF000000, 0xFFFFFFFF, 0xFF000000,
                                                0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
}

TEST(DibDecode, TopDownEightBitAndPaletteIndices) {
  auto info = header(2, -1, 8, 0, 2);
  writeU16LE(info, 1);  // DIB_PAL_COLORS: indices into the selected palette
  writeU16LE(info, 0);
  const std::vector<uint8_t> bits = {0, 1, 0, 0};
  const PaletteEntry palette[] = {{10, 20, 30, 0}, {200, 100, 50, 0}};
  const auto img = decodeDib(info, bits, DibUsage::PalColors, palette, kAll);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->pixels, (std::vector<uint32_t>{0xFFC86432, 0xFF0A141E}));
}

TEST(DibDecode, SixteenAndThirtyTwoBitFields) {
  auto info16 = header(1, 1, 16);
  const std::vector<uint8_t> bits16 = {0x00, 0x7C, 0, 0};  // 5-5-5 red
  auto img = decodeDib(info16, bits16, DibUsage::RgbColors, {}, kAll);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->pixels[0], 0xFFFF0000u);

  auto info32 = header(1, 1, 32, 3);
  writeU32LE(info32, 0x000000FF);  // red in the low byte
  writeU32LE(info32, 0x0000FF00);
  writeU32LE(info32, 0x00FF0000);
  const std::vector<uint8_t> bits32 = {0x11, 0x22, 0x33, 0x00};
  img = decodeDib(info32, bits32, DibUsage::RgbColors, {}, kAll);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->pixels[0], 0xFF112233u);
}

TEST(DibDecode, RegionIsClampedToTheBitmap) {
  const auto [info, bits] = testing::dib24(3, {{1, 2, 3}, {4, 5, 6}});
  PixelRect got;
  const auto img = decodeDib(info, bits, DibUsage::RgbColors, {}, {1, 1, 10, 10}, &got);
  ASSERT_TRUE(img);
  EXPECT_EQ(got.x, 1);
  EXPECT_EQ(got.y, 1);
  EXPECT_EQ(img->width, 2);
  EXPECT_EQ(img->height, 1);
  EXPECT_EQ(img->pixels, (std::vector<uint32_t>{0xFF000005, 0xFF000006}));
}

TEST(DibDecode, RefusesWhatDoesNotAddUp) {
  const auto [info, bits] = testing::dib24(3, {{1, 2, 3}, {4, 5, 6}});
  const std::vector<uint8_t> shortBits(bits.begin(), bits.end() - 1);
  EXPECT_FALSE(decodeDib(info, shortBits, DibUsage::RgbColors, {}, kAll));
  EXPECT_FALSE(decodeDib(info, bits, DibUsage::RgbColors, {}, {5, 5, 2, 2}));  // outside
  EXPECT_FALSE(decodeDib(info, bits, DibUsage::PalIndices, {}, kAll));
  auto huge = header(1 << 13, 1 << 14, 1);  // 2^27 pixels
  quad(huge, 0);
  quad(huge, 0xFFFFFF);
  const std::vector<uint8_t> hugeBits(size_t{1} << 24, 0);
  EXPECT_FALSE(decodeDib(huge, hugeBits, DibUsage::RgbColors, {}, {0, 0, 1 << 13, 1 << 14}));
}

}  // namespace
}  // namespace kumi::platform::player
