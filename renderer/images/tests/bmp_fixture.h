#pragma once
// Small bitmap files built by the tests, field by field.
#include <cstdint>
#include <string>
#include <vector>

namespace kumi::renderer::images::testing {

struct BmpSpec {
  int32_t width = 2;
  int32_t height = 2;      // negative: top-down rows
  uint16_t bitCount = 1;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  uint32_t usedColours = 0;  // written as is; the table holds `table` entries
  std::vector<uint32_t> table{0x000000, 0xFFFFFF};  // 0xRRGGBB
  int64_t bitsOffset = -1;   // -1: right after the table
  size_t gap = 0;            // bytes between the table and the rows
  int64_t cutAt = -1;        // the file ends here when >= 0
  uint8_t fill = 0x55;       // every byte of the rows
};

std::string bmpFile(const BmpSpec& spec);

}  // namespace kumi::renderer::images::testing
