#pragma once
// Metafiles for the player's tests, written with the EMF writer or by hand.
//
// The standard picture is 100 × 100 mm on a reference device of ten pixels a
// millimetre; placed on (0, 0, 1000, 1000) a reference pixel is a device
// pixel, so a logical unit of MM_HIMETRIC is a tenth of a device pixel.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/emf/emf_writer.h"
#include "platform/player/emf_player.h"

namespace kumi::platform::player::testing {

inline const ReferenceDevice kTestDevice{1000, 1000, 100, 100, 100000, 100000};
inline const Rect kTestFrame{0, 0, 10000, 10000};

inline std::vector<uint8_t> makeEmf(const std::function<void(EmfWriter&)>& draw) {
  EmfWriter w(kTestDevice, kTestFrame, "test");
  draw(w);
  return w.finish();
}

// One record from its type and 32-bit fields.
inline std::vector<uint8_t> record(uint32_t type, std::initializer_list<uint32_t> fields) {
  std::vector<uint8_t> r;
  writeU32LE(r, type);
  writeU32LE(r, static_cast<uint32_t>(8 + 4 * fields.size()));
  for (uint32_t f : fields) writeU32LE(r, f);
  return r;
}

// The metafile with raw bytes put in before its EMR_EOF (the last record,
// 20 bytes), the header's byte and record counts kept true.
inline std::vector<uint8_t> withBeforeEof(std::vector<uint8_t> emf, const std::vector<uint8_t>& raw,
                                          uint32_t records = 1) {
  emf.insert(emf.end() - 20, raw.begin(), raw.end());
  const ByteView v(emf);
  putU32LE(emf, 48, static_cast<uint32_t>(emf.size()));
  putU32LE(emf, 52, v.u32(52) + records);
  return emf;
}

inline Affine testPlacement(std::span<const uint8_t> emf) {
  return frameOnto(*readPictureInfo(emf), 0, 0, 1000, 1000);
}

// A 24-bit bottom-up DIB, rows given top first as 0xRRGGBB.
inline std::pair<std::vector<uint8_t>, std::vector<uint8_t>> dib24(
    int width, const std::vector<std::vector<uint32_t>>& rowsTopFirst) {
  std::vector<uint8_t> info;
  writeU32LE(info, 40);
  writeI32LE(info, width);
  writeI32LE(info, static_cast<int32_t>(rowsTopFirst.size()));
  writeU16LE(info, 1);
  writeU16LE(info, 24);
  for (int i = 0; i < 6; ++i) writeU32LE(info, 0);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<uint8_t> bits;
  for (auto row = rowsTopFirst.rbegin(); row != rowsTopFirst.rend(); ++row) {
    const size_t start = bits.size();
    for (uint32_t c : *row) {
      bits.push_back(uint8_t(c));
      bits.push_back(uint8_t(c >> 8));
      bits.push_back(uint8_t(c >> 16));
    }
    bits.resize(start + stride, 0);
  }
  return {info, bits};
}

}  // namespace kumi::platform::player::testing
