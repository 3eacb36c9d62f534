#pragma once
// The composer's text: at most 1000 units ended by code::kEnd, with one class
// letter per unit: 'A' came in half-width (or was made half-width by the digit
// handling), 'K' full-width.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "engine/text/codes.h"

namespace kumi::engine {

constexpr size_t kMaxUnits = 1000;

struct InternalText {
  std::array<Unit, kMaxUnits + 1> units{};
  std::array<char, kMaxUnits + 1> classes{};

  size_t length() const;  // units before the end mark
  void clear();           // empty text, classes cleared
};

// Shift_JIS text of a call to internal units and classes. The text ends at a
// NUL, at a blank followed by a NUL, at two blanks in a row, or at the end of
// the span. `secondFamily` classes half-width input 'K'. Bytes that no table
// knows become "〓"; a lead byte at the very end is dropped.
void intakeSjisText(std::string_view sjis, bool secondFamily, InternalText& out);

// A text that is already internal units (text-code flags 'J' and 'Z'): two
// bytes per unit, high byte first, up to a 0x0000 unit. With 'Z'
// (`clearClasses`) every unit counts as full-width; with 'J' the classes of
// the previous text are kept.
void intakeJisText(std::string_view bytes, bool clearClasses, InternalText& out);

// A single character field (break character, table fields): a Shift_JIS pair
// becomes its JIS pair; anything else is returned as the two bytes given.
Unit intakeCharField(uint8_t first, uint8_t second);

// The full-width Shift_JIS pair for one half-width byte, or 0.
uint16_t halfWidthToSjis(uint8_t byte);
// The full-width pair for a half-width byte and a voicing mark, or 0.
uint16_t voicedToSjis(uint8_t base, uint8_t mark);

}  // namespace kumi::engine
