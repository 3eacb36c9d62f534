#include "engine/text/codes.h"

namespace kumi::engine {

Unit sjisToJis(uint16_t sjis) {
  unsigned s1 = sjis >> 8;
  const unsigned s2 = sjis & 0xFF;
  s1 = s1 >= 0xE0 ? s1 - 0xC1 : s1 - 0x81;
  unsigned j1 = (s1 * 2 + 0x21) & 0xFF;
  unsigned j2;
  if (s2 >= 0x9F) {
    j1 = (j1 + 1) & 0xFF;
    j2 = s2 - 0x7E;
  } else {
    j2 = s2 - 0x1F - (s2 >= 0x80 ? 1 : 0);
  }
  return static_cast<Unit>((j1 << 8) | (j2 & 0xFF));
}

uint16_t jisToSjis(Unit jis) {
  const unsigned j1 = jis >> 8;
  const unsigned j2 = jis & 0xFF;
  unsigned s1 = ((j1 - 0x21) >> 1) + 0x81;
  if (s1 > 0x9F) s1 += 0x40;
  unsigned s2;
  if (j1 & 1) {
    s2 = j2 + 0x1F + (j2 >= 0x60 ? 1 : 0);
  } else {
    s2 = j2 + 0x7E;
  }
  return static_cast<uint16_t>(((s1 & 0xFF) << 8) | (s2 & 0xFF));
}

}  // namespace kumi::engine
