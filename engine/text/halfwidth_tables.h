#pragma once
// The fixed half-width tables: one byte to a full-width Shift_JIS pair, and
// the voiced half-width pairs (ｶﾞ, ﾊﾟ ...) to their voiced katakana.
#include <array>
#include <cstdint>

namespace kumi::engine {

struct HalfWidthEntry {
  uint8_t byte;
  uint16_t sjis;  // lead byte in the high half
};

struct VoicedEntry {
  uint8_t base;
  uint8_t mark;  // 0xDE voiced, 0xDF semi-voiced
  uint16_t sjis;
};

extern const std::array<HalfWidthEntry, 149> kHalfWidthTable;
extern const std::array<VoicedEntry, 26> kVoicedTable;

}  // namespace kumi::engine
