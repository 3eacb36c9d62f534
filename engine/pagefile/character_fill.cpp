#include "engine/pagefile/character_fill.h"

#include "engine/compose/saturate.h"
#include "engine/text/output.h"

namespace kumi::engine {

std::vector<pagefile::RecordBytes> fillCharacterRecords(const CharCell& cell,
                                                        const CharacterPlacement& at) {
  pagefile::CharacterRecord r;
  r.page = at.page;
  r.y = at.y;
  r.x = at.x;
  const uint16_t sjis = recordCode(cell.code);
  r.code[0] = static_cast<uint8_t>(sjis >> 8);
  r.code[1] = static_cast<uint8_t>(sjis & 0xFF);
  r.proportional = cell.metricFlag;
  r.fontLetter = cell.fontLetter;
  r.sizeCode = cell.glyphSize;
  r.singleByte = static_cast<uint8_t>(cell.caType);
  r.cls = cell.cls;
  r.widthScale = cell.widthScale;
  r.heightScale = cell.heightScale;
  r.colour[0] = cell.colour[0];
  r.colour[1] = cell.colour[1];
  r.direction = at.direction;
  r.style = cell.style;

  const bool halfWidthRow = (cell.code >> 8) == 0x29;
  if (!(halfWidthRow || at.singleByteKind || cell.cls == 'A')) return {pagefile::encode(r)};

  const SingleBytes single = toSingleBytes(cell.code);
  r.cls = 'A';
  r.singleByte = single.bytes[0];
  std::vector<pagefile::RecordBytes> out{pagefile::encode(r)};
  if (single.count == 2) {
    r.singleByte = single.bytes[1];
    r.x = wrapAdd(r.x, at.sizeUnits / 2);  // a hostile origin wraps, never overflows
    out.push_back(pagefile::encode(r));
  }
  return out;
}

}  // namespace kumi::engine
