#include "engine/compose/breaking/line_breaking.h"

namespace kumi::engine {

bool trimsSpaces(char spaceTrim) { return spaceTrim != 'N' && spaceTrim != ' '; }

std::optional<size_t> spaceToRemove(std::span<const CharCell> cells, Unit breakChar) {
  auto isSpace = [&](size_t i) { return i < cells.size() && cells[i].code == code::kIdeographicSpace; };
  size_t first = 0;
  while (first < cells.size()) {
    size_t end = first + 1;
    while (end < cells.size() && cells[end].line == cells[first].line) ++end;
    if (isSpace(first)) return first;
    // A line opened by the forced break begins visibly with what follows it.
    if (cells[first].code == breakChar && isSpace(first + 1)) return first + 1;
    if (isSpace(end - 1)) return end - 1;
    first = end;
  }
  return std::nullopt;
}

bool deleteUnitOfCell(InternalText& text, size_t cellIndex) {
  size_t seen = 0;
  for (size_t u = 0; u < kMaxUnits && text.units[u] != code::kEnd; ++u) {
    if (text.units[u] == code::kDeleted) continue;
    if (seen == cellIndex) {
      text.units[u] = code::kDeleted;
      return true;
    }
    ++seen;
  }
  return false;
}

}  // namespace kumi::engine
