#pragma once
// Digit handling by digit mode, run before every composition pass.
//   '0'   nothing changes;
//   '1'   every full-width digit becomes half-width (class 'A');
//   other runs of two or more digits become half-width, a digit standing
//         alone is marked as such (bit 7 of its first byte) and keeps its class.
#include "engine/text/internal_text.h"

namespace kumi::engine {

void applyDigitMode(char digitMode, InternalText& text);

}  // namespace kumi::engine
