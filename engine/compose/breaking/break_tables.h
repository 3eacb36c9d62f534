#pragma once
// The character tables line breaking consults, read once per composing call.
//
// GM, GT, BR, RJ, DS and DE are lists of characters; breaking asks about every
// cell in every round of space removal, so each list is kept sorted here.
// RJ entries are written with full-width digits; the digit handling may have
// made those digits half-width, so a half-width digit is in an RJ run when its
// full-width form is listed. (Rewriting the stored entries instead would
// change what later calls with other digit modes match.)
#include <vector>

#include "engine/tables/style_tables.h"

namespace kumi::engine {

class BreakTables {
 public:
  explicit BreakTables(const StyleTables& tables);

  bool noLineEnd(Unit code) const { return has(gm_, code); }
  bool noLineStart(Unit code) const { return has(gt_, code); }
  bool mayHang(Unit code) const { return has(br_, code); }
  bool inRjRun(Unit code) const;
  bool startsGroup(Unit code) const { return has(ds_, code); }
  bool endsGroup(Unit code) const { return has(de_, code); }

 private:
  static bool has(const std::vector<Unit>& sorted, Unit code);

  std::vector<Unit> gm_, gt_, br_, rj_, ds_, de_;
};

}  // namespace kumi::engine
