#include "engine/compose/horizontal/glyph_output.h"

#include <algorithm>
#include <string_view>

#include "engine/compose/horizontal/glyph_geometry.h"
#include "engine/compose/saturate.h"
#include "engine/compose/stage_seams.h"
#include "engine/core/engine.h"
#include "engine/core/size_code.h"
#include "engine/pagefile/character_fill.h"
#include "engine/shapes/shapes.h"

namespace kumi::engine {
namespace {

// The k of the width and height codes 1 to 4 (90 % to 60 %).
int32_t shrinkTwentieths(char c) { return 9 - (c - '1'); }
bool isShrinkCode(char c) { return c >= '1' && c <= '4'; }

char directionOf(const CharCell& cell, const CallRecord& call) {
  if (cell.direction == 'T') return 'T';
  return call.secondFamily() ? 'V' : 'Y';
}

}  // namespace

void writeCharacter(Engine& engine, const CharCell& cell, int32_t y, int32_t x, int32_t glyphWidth,
                    char direction) {
  const CallRecord& call = engine.record();
  if (call.measureOnly()) return;  // nothing would be written
  CharacterPlacement at;
  at.page = call.pageName;
  at.y = y;
  at.x = x;
  at.singleByteKind = call.kindLetter() == 'A';
  at.sizeUnits = glyphWidth;
  at.direction = direction;
  for (const pagefile::RecordBytes& r : fillCharacterRecords(cell, at)) engine.write(r);
}

void writeDoubleGlyph(Engine& engine, const CharCell& cell, Entry entry, int32_t y, int32_t x,
                      int32_t lineSize, char direction) {
  const bool move = engine.record().command == 'L';
  for (size_t part = 0; part < 2; ++part) {
    const size_t off = 2 + part * 6;
    CharCell glyph = cell;
    glyph.code = static_cast<Unit>((entry[off] << 8) | entry[off + 1]);
    glyph.caType = static_cast<char>(entry[off + 2]);
    glyph.widthScale = static_cast<char>(entry[off + 3]);
    glyph.heightScale = static_cast<char>(entry[off + 4]);
    DoubleGlyphMove d;
    if (move) d = doubleGlyphMove(glyph.widthScale, glyph.heightScale, cell.advance, lineSize);
    writeCharacter(engine, glyph, wrapAdd(y, d.dy), wrapAdd(x, d.dx), scaledSize(glyph.glyphSize, glyph.widthScale),
                   direction);
  }
}

DoubleGlyphMove doubleGlyphMove(char widthCode, char heightCode, int32_t advance, int32_t lineSize) {
  DoubleGlyphMove d;
  if (widthCode == '0') {
    d.dx = -(advance / 2);
  } else if (isShrinkCode(widthCode)) {
    d.dx = static_cast<int32_t>(-(int64_t{advance} * shrinkTwentieths(widthCode) / 20));
  } else {
    return d;  // other width codes stay where they are, across the line too
  }
  const int32_t s = lineSize;
  if (heightCode == '0') {
    d.dy = s / 2 - s * 11 / 100;
  } else if (isShrinkCode(heightCode)) {
    const int32_t k = shrinkTwentieths(heightCode);
    d.dy = s * k / 20 - (s * k / 10) * 11 / 100;
  }
  return d;
}

void writeCharacterImage(Engine& engine, Entry caEntry, int32_t y, int32_t x, int32_t height,
                         int32_t width) {
  // The substitute field: three four-byte fields after the entry's first eight bytes.
  const size_t from = std::min<size_t>(8, caEntry.size());
  const size_t n = std::min<size_t>(12, caEntry.size() - from);
  const std::string_view field(reinterpret_cast<const char*>(caEntry.data()) + from, n);
  writeCharacterImage(engine, engine.record().pageName, y, x, height, width, field);
}

std::optional<int32_t> writeHorizontalCell(Engine& engine, size_t index, const GlyphContext& at,
                                           std::optional<int32_t> previousGlyphDrop) {
  const CharCell& cell = engine.cells()[index];
  if (cell.code == code::kHalfEmSpace || cell.code == code::kEmptyCell) return std::nullopt;
  if (writeFraction(engine, index)) return std::nullopt;
  const StyleTables& tables = engine.tables();
  if (const auto db = tables.find(TableId::DB, cell.code)) {
    writeDoubleGlyph(engine, cell, *db, at.lineY, at.x, at.lineSize, directionOf(cell, engine.record()));
    return std::nullopt;
  }

  // Every glyph stands on the line's bottom.
  const int32_t em = unitsOfSizeCode(cell.glyphSize);
  int32_t y = wrapAdd(at.lineY, at.lineSize - scaledUnits(em, cell.heightScale));
  const int32_t glyphWidth = scaledUnits(em, cell.widthScale);
  const int32_t x = wrapAdd(at.x, glyphShiftX(cell, glyphWidth));
  // An HT run that keeps its baseline stays level with the glyph before it.
  if (cell.baseline == 1 && previousGlyphDrop) y = wrapAdd(at.lineY, *previousGlyphDrop);

  const PlacedGlyph glyph{index, y, x, at.lineSize, at.cursorAfter, false};
  writeEmphasisBefore(engine, glyph);
  const std::optional<Entry> image =
      cell.caType == '3' ? tables.find(TableId::CA, cell.code) : std::nullopt;
  if (image) {
    writeCharacterImage(engine, *image, y, x, at.lineSize, cell.advance);
  } else {
    writeCharacter(engine, cell, y, x, glyphWidth, directionOf(cell, engine.record()));
  }
  writeEmphasisAfter(engine, glyph);
  return static_cast<int32_t>(int64_t{y} - at.lineY);
}

}  // namespace kumi::engine
