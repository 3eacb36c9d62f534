#include "engine/compose/horizontal/line_alignment.h"

namespace kumi::engine {
namespace {

// Halves rounded down, negative ones too (an overfull centred line).
int64_t halfDown(int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

LineSpacing centred(int64_t start, int64_t length, int64_t width) {
  return {static_cast<int32_t>(start + halfDown(length - width)), 0, 0};
}

LineSpacing justified(int64_t start, int64_t length, int64_t width, int32_t chars) {
  if (chars == 1) return centred(start, length, width);
  const int64_t room = length - width;
  if (chars < 1 || room <= 0) return {static_cast<int32_t>(start), 0, 0};
  const int64_t gap = room / (chars - 1);
  const int64_t extra = room - gap * (chars - 1);
  return {static_cast<int32_t>(start), static_cast<int32_t>(gap), static_cast<int32_t>(extra)};
}

LineSpacing distributed(int64_t start, int64_t length, int64_t width, int32_t chars) {
  if (chars < 1) return {static_cast<int32_t>(start), 0, 0};
  const int64_t pitch = length / chars;
  int64_t margin = halfDown(pitch - width / chars);
  // An overfull line keeps its start: a negative margin would set it before
  // the line's own start.
  if (margin < 0) margin = 0;
  return justified(start + margin, length - 2 * margin, width, chars);
}

}  // namespace

LineSpacing alignLine(const LineToAlign& l) {
  switch (l.align) {
    case 'S': return centred(l.start, l.length, l.width);
    case 'K':
    case 'N': return justified(l.start, l.length, l.width, l.chars);
    case 'M':
    case 'O':
      if (l.lastLine) return {l.start, 0, 0};
      return justified(l.start, l.length, l.width, l.chars);
    case 'H': return {static_cast<int32_t>(int64_t{l.start} + l.length - l.width), 0, 0};
    case 'L': return distributed(l.start, l.length, l.width, l.chars);
    default: return {l.start, 0, 0};
  }
}

}  // namespace kumi::engine
