#include "engine/compose/vertical/vertical_placement.h"

#include <algorithm>
#include <optional>
#include <span>

#include "engine/compose/breaking/line_formats.h"
#include "engine/compose/horizontal/glyph_geometry.h"
#include "engine/compose/horizontal/glyph_output.h"
#include "engine/compose/horizontal/line_alignment.h"
#include "engine/compose/saturate.h"
#include "engine/compose/stage_seams.h"
#include "engine/compose/vertical/column_flow.h"
#include "engine/compose/vertical/column_geometry.h"
#include "engine/core/engine.h"
#include "engine/core/size_code.h"

namespace kumi::engine {
namespace {

ColumnFormat columnFormatOf(const Engine& engine, int column) {
  const CallRecord& call = engine.record();
  const TableLineFormat t = tableLineFormat(engine.tables(), TableId::TA, column);
  if (t.start != 0) return {t.start, t.length, t.align, true};
  return {call.originY, call.lineLength, call.lineAlign, false};
}

// Columns know centred, justified, end-aligned and justified-but-the-last;
// every other code sets the column at its start.
char columnAlign(char code) { return code == 'S' || code == 'K' || code == 'H' || code == 'M' ? code : '\0'; }

// Where glyphs go across the column. The record X of a column centres a glyph
// of the column size in the unscaled em; a glyph of another size moves by
// half the difference and its size becomes the column size, so glyphs of
// every size share the centre line.
class ColumnAcross {
 public:
  ColumnAcross(int32_t size, int32_t unscaled) : size_(size), unscaled_(unscaled) {}

  int32_t size() const { return size_; }

  void startColumn(int32_t columnX) {
    recordX_ = wrapAdd(columnX, int64_t{-size_} + (int64_t{size_} - unscaled_) / 2);
  }

  // The record X of a glyph `width` wide.
  int32_t glyphX(int32_t width) {
    if (width != size_) {
      recordX_ = wrapAdd(recordX_, size_ / 2 - width / 2);
      size_ = width;
    }
    return recordX_;
  }

 private:
  int32_t size_;
  int32_t unscaled_;
  int32_t recordX_ = 0;
};

// The glyph written last, whose right edge an HT run keeping its baseline
// keeps. Its place across its own column is what carries over, so that a run
// broken over columns or tiers goes on in the new column.
struct PreviousGlyph {
  bool written = false;
  int64_t offset = 0;  // its X less its column's X
  int32_t width = 0;
};

class VerticalPlacement {
 public:
  VerticalPlacement(Engine& engine, size_t count, int columns)
      : engine_(engine),
        call_(engine.record()),
        cells_(engine.cells()),
        count_(count),
        columns_(columns),
        second_(call_.secondFamily()),
        across_(columnSizeOf(cells_[0]), unitsOfSizeCode(cells_[0].glyphSize)) {}

  Cursor run(VerticalFlow& flow) {
    int32_t columnX = firstColumnX(call_.originX, call_.blockExtent, call_.blockAlign, columns_,
                                   call_.linePitch, across_.size());
    int column = 0;
    std::optional<ColumnSteps> steps;
    size_t columnStart = 0;
    for (size_t i = 0; i < count_; ++i) {
      if (cells_[i].line != column) {
        if (column != 0) columnX = flow.nextColumnX(columnX, across_.size());
        column = cells_[i].line;
        columnStart = i;
        const std::span<const CharCell> cells = columnCells(i);
        startColumn(flow, column, columnX, cells);
        steps.emplace(cells, second_);
      }
      CharCell& cell = cells_[i];
      cell.page = call_.pageName;
      cell.placedY = cursor_.at();
      cell.placedX = columnX;
      const ColumnStep step = steps->step(i - columnStart);
      if (cell.advance == 0) continue;
      const int32_t y = cursor_.at();
      if (step.along != 0) cursor_.step(step.along, true);  // a pair's opener: its closer takes the em
      writeCell(i, step, y);
    }
    return {cursor_.at(), columnX};
  }

 private:
  // The cells of the column that starts at cell `first`.
  std::span<const CharCell> columnCells(size_t first) const {
    size_t end = first + 1;
    while (end < count_ && cells_[end].line == cells_[first].line) ++end;
    return {cells_.data() + first, end - first};
  }

  void startColumn(VerticalFlow& flow, int column, int32_t columnX, std::span<const CharCell> cells) {
    ColumnFormat format = columnFormatOf(engine_, column);
    flow.startColumn(format);
    across_.startColumn(columnX);
    columnX_ = columnX;
    // Spaced by the room the cells take as placed: a pair of half-width
    // characters is one place of one em, and so is a lone one.
    const ColumnMeasure m = measureColumn(cells, second_);
    cursor_ = SpacedCursor(alignLine(
        {columnAlign(format.align), format.startY, format.length, m.length, m.places, column == columns_}));
  }

  // The X of a glyph `width` wide, with its place in a pair.
  int32_t glyphX(const CharCell& cell, const ColumnStep& step, int32_t width) {
    const int32_t x = across_.glyphX(width);
    const bool digits = step.kind == PairKind::SecondFamilyDigit;
    switch (step.role) {
      case PairRole::Opens:
        pairX_ = digits ? wrapAdd(x, -(int64_t{cell.advance} * 6 / 20)) : x;
        return pairX_;
      case PairRole::Closes:
        return wrapAdd(pairX_, digits ? int64_t{cell.advance} * 13 / 20 : cell.advance);
      case PairRole::Alone:
        // Centred in the column; a second-family digit is drawn full width.
        return digits ? x : wrapAdd(x, across_.size() / 4);
      case PairRole::None: break;
    }
    return x;
  }

  void writeCell(size_t index, const ColumnStep& step, int32_t y) {
    const CharCell& cell = cells_[index];
    if (cell.code == code::kHalfEmSpace || cell.code == code::kEmptyCell) return;
    if (writeFraction(engine_, index)) return;

    const int32_t width = scaledSize(cell.glyphSize, cell.widthScale);
    int32_t x = glyphX(cell, step, width);
    if (cell.baseline == 1 && previous_.written) {
      x = wrapAdd(columnX_, previous_.offset + previous_.width - width);
    }
    const char direction = verticalDirection(cell, second_);

    const StyleTables& tables = engine_.tables();
    if (const auto db = tables.find(TableId::DB, cell.code)) {
      writeDoubleGlyph(engine_, cell, *db, y, x, across_.size(), direction);
      return;
    }
    const PlacedGlyph glyph{index, y, x, across_.size(), cursor_.at(), true};
    writeEmphasisBefore(engine_, glyph);
    const std::optional<Entry> image = cell.caType == '3' ? tables.find(TableId::CA, cell.code) : std::nullopt;
    if (image) {
      writeCharacterImage(engine_, *image, y, x, cell.advance, across_.size());
    } else {
      writeCharacter(engine_, pairMember(cell, step), y, x, width, direction);
    }
    writeEmphasisAfter(engine_, glyph);
    previous_ = PreviousGlyph{true, int64_t{x} - columnX_, width};
  }

  // Pair members carry the width code of their pairing.
  static CharCell pairMember(const CharCell& cell, const ColumnStep& step) {
    CharCell member = cell;
    if (step.role == PairRole::Opens || step.role == PairRole::Closes) {
      member.widthScale = step.kind == PairKind::SecondFamilyDigit ? '2' : '0';
    }
    return member;
  }

  Engine& engine_;
  CallRecord& call_;
  CellArray& cells_;
  size_t count_;
  int columns_;
  bool second_;
  ColumnAcross across_;
  SpacedCursor cursor_;
  int32_t pairX_ = 0;
  int32_t columnX_ = 0;  // the right edge of the column being set
  PreviousGlyph previous_;
};

}  // namespace

Cursor placeVertically(Engine& engine, size_t cellCount, int lineCount) {
  const CallRecord& call = engine.record();
  const size_t count = std::min(cellCount, kMaxCells);
  // The first JV call latches its values even when its text is empty.
  VerticalFlow flow(engine);
  if (count == 0) {
    flow.finish();
    return {call.originY, call.originX};
  }
  VerticalPlacement placement(engine, count, lineCount);
  const Cursor cursor = placement.run(flow);
  flow.finish();
  return cursor;
}

}  // namespace kumi::engine
