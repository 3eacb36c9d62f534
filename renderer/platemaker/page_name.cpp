#include "renderer/platemaker/page_name.h"

#include <limits>

namespace kumi::renderer {
namespace {

using pagefile::RecordKind;

bool safeInName(uint8_t b) {
  return b > 0x20 && b < 0x7F && b != '/' && b != '\\' && b != '"';
}

// Moves a field from the sheet's corner onto the printable origin.
void shift(pagefile::RecordBytes& r, size_t pos, int32_t by) {
  int64_t v = int64_t{pagefile::readI32LE(r, pos)} - by;
  if (v > std::numeric_limits<int32_t>::max()) v = std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) v = std::numeric_limits<int32_t>::min();
  pagefile::writeI32LE(r, pos, static_cast<int32_t>(v));
}

}  // namespace

void normalisePageName(pagefile::RecordBytes& r) {
  if (r[1] == 0 && r[2] == 0 && r[3] == 0) {
    r[3] = r[0];
    r[0] = r[1] = r[2] = '0';
  } else if (r[2] == 0 && r[3] == 0) {
    r[3] = r[1];
    r[2] = r[0];
    r[0] = r[1] = '0';
  } else if (r[3] == 0) {
    r[3] = r[2];
    r[2] = r[1];
    r[1] = r[0];
    r[0] = '0';
  }
  for (size_t i = 0; i < 4; ++i) {
    if (!safeInName(r[i])) r[i] = '_';
  }
}

void applyMarginShift(pagefile::RecordBytes& r, int32_t shiftX, int32_t shiftY) {
  switch (pagefile::kindOf(r)) {
    case RecordKind::Shape:
      shift(r, 4, shiftY);
      shift(r, 8, shiftX);
      // The corner-size record holds sizes, not positions, past its first point:
      // shifting them would round every corner a margin larger than asked.
      if (r[22] == 'm') break;
      shift(r, 12, r[22] == 'Y' ? shiftX : shiftY);
      shift(r, 16, shiftX);
      break;
    case RecordKind::ImagePlace:
    case RecordKind::Character:
      shift(r, 4, shiftY);
      shift(r, 8, shiftX);
      break;
    case RecordKind::ShapeColours:
    case RecordKind::ImageSize:
    case RecordKind::ImageName:
      break;
  }
}

}  // namespace kumi::renderer
