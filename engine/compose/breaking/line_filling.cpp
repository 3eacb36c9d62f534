#include "engine/compose/breaking/line_breaking.h"
#include "engine/compose/breaking/line_formats.h"

namespace kumi::engine {
namespace {

// The line being filled. `start` is the index of its first cell; while no
// cell is on it yet, the next cell to take is `start` itself.
class LineFiller {
 public:
  LineFiller(std::span<CharCell> cells, const StyleTables& tables, const BreakSettings& settings)
      : cells_(cells), tables_(tables), settings_(settings) {
    length_ = breakingLineLength(tables_, line_, settings_.lineLength);
  }

  void run() {
    while (next_ < cells_.size()) {
      if (cells_[next_].code == settings_.breakChar) {
        forcedBreak();
      } else {
        fill();
      }
    }
  }

 private:
  bool lineEmpty() const { return next_ == start_; }
  // The cell before `next_` can move down only when the line keeps a cell.
  bool previousCanMove() const { return next_ > start_ + 1; }

  void take() {
    cells_[next_].line = static_cast<int16_t>(line_);
    width_ += cells_[next_].advance;
    ++next_;
  }

  void newLineAt(size_t first) {
    ++line_;
    width_ = 0;
    length_ = breakingLineLength(tables_, line_, settings_.lineLength);
    start_ = first;
    next_ = first;
  }

  // The previous cell loses its line and opens the next one.
  void movePreviousDown() {
    cells_[next_ - 1].line = 0;
    newLineAt(next_ - 1);
  }

  void forcedBreak() {
    CharCell& brk = cells_[next_];
    // A break where a line starts anyway takes no room and keeps the line.
    if (lineEmpty()) {
      take();
      return;
    }
    const bool nextNoStart = next_ + 1 < cells_.size() && cells_[next_ + 1].noLineStart == '1';
    if (previousCanMove() && (cells_[next_ - 1].noLineEnd == '1' || nextNoStart)) {
      // Breaking here would end a line badly or start one badly: the
      // break moves before the previous character and becomes a space.
      brk.code = code::kIdeographicSpace;
      brk.advance = 0;
      movePreviousDown();
      return;
    }
    newLineAt(next_);
  }

  void fill() {
    CharCell& c = cells_[next_];
    // The first cell of a line stays on it, whatever its width: a unit
    // longer than a line starts there and overflows like ordinary text.
    if (lineEmpty()) {
      take();
      return;
    }
    const int32_t unit = keptUnitWidth(c, settings_.keepTogether);
    const int64_t tested = unit > 0 && width_ + unit > length_ ? unit : c.advance;
    if (width_ + tested <= length_) {
      take();
      return;
    }
    if (previousCanMove() && cells_[next_ - 1].noLineEnd == '1') {
      movePreviousDown();
    } else if (c.mayHang == '1') {
      take();  // hangs past the line end
      newLineAt(next_);
    } else if (previousCanMove() && c.noLineStart == '1') {
      movePreviousDown();
    } else {
      newLineAt(next_);
    }
  }

  std::span<CharCell> cells_;
  const StyleTables& tables_;
  const BreakSettings& settings_;
  int line_ = 1;
  int64_t width_ = 0;  // wide: advances may be any 32-bit value
  int32_t length_ = 0;
  size_t start_ = 0;
  size_t next_ = 0;
};

}  // namespace

int fillLines(std::span<CharCell> cells, const StyleTables& tables, const BreakSettings& settings) {
  for (CharCell& c : cells) c.line = 0;
  if (cells.empty()) return 0;
  LineFiller(cells, tables, settings).run();
  return cells.back().line;
}

}  // namespace kumi::engine
