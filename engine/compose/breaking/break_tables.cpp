#include "engine/compose/breaking/break_tables.h"

#include <algorithm>

namespace kumi::engine {
namespace {

std::vector<Unit> sortedCodes(const StyleTables& tables, TableId id) {
  std::vector<Unit> codes;
  const size_t n = tables.entryCount(id);
  codes.reserve(n);
  for (size_t i = 0; i < n; ++i) codes.push_back(fieldCode(tables.entry(id, i), 0));
  std::sort(codes.begin(), codes.end());
  return codes;
}

}  // namespace

BreakTables::BreakTables(const StyleTables& tables)
    : gm_(sortedCodes(tables, TableId::GM)),
      gt_(sortedCodes(tables, TableId::GT)),
      br_(sortedCodes(tables, TableId::BR)),
      rj_(sortedCodes(tables, TableId::RJ)),
      ds_(sortedCodes(tables, TableId::DS)),
      de_(sortedCodes(tables, TableId::DE)) {}

bool BreakTables::has(const std::vector<Unit>& sorted, Unit code) {
  return !sorted.empty() && std::binary_search(sorted.begin(), sorted.end(), code);
}

bool BreakTables::inRjRun(Unit code) const {
  if (has(rj_, code)) return true;
  if (!code::isHalfWidthDigit(code)) return false;
  return has(rj_, static_cast<Unit>(code - code::kHalfDigitZero + code::kFullDigitZero));
}

}  // namespace kumi::engine
