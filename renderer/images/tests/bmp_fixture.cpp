#include "renderer/images/tests/bmp_fixture.h"

#include <cstdlib>

namespace kumi::renderer::images::testing {
namespace {

void u16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void u32(std::string& s, uint32_t v) {
  u16(s, v & 0xFFFF);
  u16(s, v >> 16);
}

}  // namespace

std::string bmpFile(const BmpSpec& spec) {
  const uint32_t stride = ((static_cast<uint32_t>(spec.width) * spec.bitCount + 31) / 32) * 4;
  const uint32_t rows = stride * static_cast<uint32_t>(std::abs(spec.height));
  const uint32_t tableBytes = static_cast<uint32_t>(spec.table.size()) * 4;
  const uint32_t offset = spec.bitsOffset >= 0
                              ? static_cast<uint32_t>(spec.bitsOffset)
                              : 14 + spec.headerSize + tableBytes + static_cast<uint32_t>(spec.gap);
  std::string s = "BM";
  u32(s, 14 + spec.headerSize + tableBytes + static_cast<uint32_t>(spec.gap) + rows);
  u32(s, 0);
  u32(s, offset);
  u32(s, spec.headerSize);
  u32(s, static_cast<uint32_t>(spec.width));
  u32(s, static_cast<uint32_t>(spec.height));
  u16(s, 1);
  u16(s, spec.bitCount);
  u32(s, spec.compression);
  u32(s, rows);
  u32(s, 3780);
  u32(s, 3780);
  u32(s, spec.usedColours);
  u32(s, 0);
  s.resize(14 + spec.headerSize, '\0');
  for (uint32_t c : spec.table) {
    s += static_cast<char>(c & 0xFF);          // blue
    s += static_cast<char>((c >> 8) & 0xFF);   // green
    s += static_cast<char>((c >> 16) & 0xFF);  // red
    s += '\0';
  }
  s.append(spec.gap, '\x77');
  s.append(rows, static_cast<char>(spec.fill));
  if (spec.cutAt >= 0 && static_cast<size_t>(spec.cutAt) < s.size()) {
    s.resize(static_cast<size_t>(spec.cutAt));
  }
  return s;
}

}  // namespace kumi::renderer::images::testing
