#pragma once
// The engine's character codes.
//
// Inside the engine a character is one 16-bit unit holding a JIS X 0208 pair
// (first byte = row + 0x20 in the high half), plus a few engine-only codes:
// half-width digits live in row 9, which JIS leaves empty; a lone full-width
// digit carries bit 7 in its first byte. Files and calls carry Shift_JIS.
#include <cstdint>

namespace kumi::engine {

using Unit = uint16_t;

namespace code {
constexpr Unit kEnd = 0x0000;
constexpr Unit kDeleted = 0xFFFF;          // removed by space trimming
constexpr Unit kIdeographicSpace = 0x2121;  // "　"
constexpr Unit kAtMark = 0x2177;            // "＠"
constexpr Unit kHalfEmSpace = 0x2C55;       // inserted by the name patterns
constexpr Unit kEmptyCell = 0x2C57;         // empty fraction cells
constexpr Unit kGeta = 0x222E;              // "〓", for bytes no table knows
constexpr Unit kFullDigitZero = 0x2330;     // "０"
constexpr Unit kHalfDigitZero = 0x2930;     // engine-only half-width row
constexpr Unit kLoneDigitZero = 0xA330;     // a full-width digit standing alone

constexpr bool isFullWidthDigit(Unit u) { return u >= 0x2330 && u <= 0x2339; }
constexpr bool isHalfWidthDigit(Unit u) { return u >= 0x2930 && u <= 0x2939; }
constexpr bool isLoneDigit(Unit u) { return u >= 0xA330 && u <= 0xA339; }
}  // namespace code

constexpr bool isSjisLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The standard Shift_JIS <-> JIS X 0208 transformations. Pure arithmetic:
// pairs outside the code space give some value, never undefined behaviour.
Unit sjisToJis(uint16_t sjis);
uint16_t jisToSjis(Unit jis);

}  // namespace kumi::engine
