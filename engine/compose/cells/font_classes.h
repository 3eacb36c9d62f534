#pragma once
// Font classes (two characters such as "M0", "G0", "KM", "F1") as the
// composer sees them: the metric column a class measures with, and the font
// letter its records carry under command L.
//
// A blank or NUL second character counts as '0' ("M " is "M0"): the call
// intake normalises fontCode this way, table fields (HT, GA) are not.
#include <array>
#include <cstddef>

namespace kumi::engine {

using FontClass = std::array<char, 2>;

// Metric column 0..25 of a font class. `direction` is the direction flag in
// force ('W' picks the vertical variant of two of the two-byte classes).
size_t fontColumn(const FontClass& fontClass, bool secondFamily, char direction);

// Font letter of the page record: 'A'..'J' and '1'..'9' in the first family,
// 'A', 'B', 'K'..'V' in the second; 'A' for a class neither list names.
char fontLetterOf(const FontClass& fontClass, bool secondFamily);

}  // namespace kumi::engine
