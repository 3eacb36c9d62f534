#pragma once
// Where a line starts and how much room goes between its characters.
//
// Codes: S centred; K justified; N justified with no room inside RJ runs; M
// and O as K and N except on the text's last line, set at the start; H at
// the end; L distributed (a margin of half a cell's free room at each end,
// then justified); anything else, B included, at the start.
//
// Justification spreads the free room r over the k spacing characters of the
// line: the gap g = r / (k - 1) follows every spacing character, and the first
// e = r - (k - 1)·g of them take one unit more. A line of one character is
// centred; an overfull line gets no room.
#include <cstdint>

namespace kumi::engine {

struct LineSpacing {
  int32_t startX = 0;
  int32_t gap = 0;
  int32_t extraUnits = 0;  // characters, from the line's first, that take one unit more
};

struct LineToAlign {
  char align = '\0';
  int32_t start = 0;
  int32_t length = 0;
  int32_t width = 0;    // the line's measured width
  int32_t chars = 0;    // its spacing characters
  bool lastLine = false;
};

LineSpacing alignLine(const LineToAlign& line);

// The position along a line (or down a column) as its characters are set:
// each spaced step adds the gap, and the first `extraUnits` of them one unit
// more. Held wide: advances may be any 32-bit value.
class SpacedCursor {
 public:
  SpacedCursor() = default;
  explicit SpacedCursor(const LineSpacing& spacing)
      : at_(spacing.startX), gap_(spacing.gap), extra_(spacing.extraUnits) {}

  int32_t at() const { return static_cast<int32_t>(at_); }

  void step(int32_t advance, bool spaced) {
    at_ += advance;
    if (!spaced) return;
    at_ += gap_;
    if (extra_ > 0) {
      ++at_;
      --extra_;
    }
  }

 private:
  int64_t at_ = 0;
  int32_t gap_ = 0;
  int32_t extra_ = 0;
};

}  // namespace kumi::engine
