#pragma once
// What happens to every record of sk.dat right after it is read: its page
// name is normalised and its position moved onto the printable origin.
#include <cstdint>

#include "engine/pagefile/page_record.h"

namespace kumi::renderer {

// A page named by fewer than four characters gets leading zeros: bytes
// 1-3 zero give "000" and byte 0, bytes 2-3 zero "00" and bytes 0-1, byte 3
// zero "0" and bytes 0-2; so a page named 7 is page 0007.
//
// The name then names a file, a line of winpage.cfg and the print program's
// arguments, so a byte that cannot stand in those (a control byte, a path
// separator, a double quote, a byte outside ASCII, a zero left over) becomes
// '_'. Names written by the engine are digits and pass unchanged.
void normalisePageName(pagefile::RecordBytes& record);

// The MarginShift: engine positions are measured from the sheet's corner and
// the page's origin lies OX, OY inside it, so shiftX and shiftY (OX and OY
// in engine units) are taken off the positions; a position may become
// negative and is drawn where it falls. K1 moves its two corners (for the
// horizontal line 'Y' the field at byte 12 is its end x), G1 and characters
// their position; K2, G2 and G3 hold no position. Values saturate at the
// ends of 32 bits.
void applyMarginShift(pagefile::RecordBytes& record, int32_t shiftX, int32_t shiftY);

}  // namespace kumi::renderer
