#pragma once
// Conversions used when records are written.
#include <cstdint>

#include "engine/text/codes.h"

namespace kumi::engine {

// The record's two-byte Shift_JIS code: the engine's half-width digit row and
// lone-digit marks are folded back onto the full-width row first.
uint16_t recordCode(Unit unit);

// One or two single-byte characters for a unit (ガ gives ｶﾞ); "\" when no
// single-byte form exists.
struct SingleBytes {
  uint8_t bytes[2];
  int count;
};
SingleBytes toSingleBytes(Unit unit);

}  // namespace kumi::engine
