#include "engine/text/output.h"

#include "engine/text/halfwidth_tables.h"

namespace kumi::engine {
namespace {

Unit rowCorrected(Unit unit) {
  const unsigned first = unit >> 8;
  if (first == 0x29 || first == 0xA3) return static_cast<Unit>(0x2300 | (unit & 0xFF));
  return unit;
}

}  // namespace

uint16_t recordCode(Unit unit) { return jisToSjis(rowCorrected(unit)); }

SingleBytes toSingleBytes(Unit unit) {
  const uint16_t sjis = recordCode(unit);
  for (const HalfWidthEntry& e : kHalfWidthTable) {
    if (e.sjis == sjis) return {{e.byte, 0}, 1};
  }
  for (const VoicedEntry& e : kVoicedTable) {
    if (e.sjis == sjis) return {{e.base, e.mark}, 2};
  }
  return {{'\\', 0}, 1};
}

}  // namespace kumi::engine
