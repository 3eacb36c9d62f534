#pragma once
// The flowing vertical kinds: JU continues its columns in further tiers
// stacked downwards, JV as well and on further pages.
//
// A tier is full when the next column's left edge would reach the block's
// left end (originX - blockExtent); the columns go on in the next tier,
// coord1 further down, from originX again (JU) or from coord2 right of the
// latched origin (JV). The first JV call of the process latches its originX,
// blockExtent and lineCounter (tiers a page) and is itself set from the first
// tier; later JV calls start in tier lineCounter and store the tier reached
// back into the call record. When a JV column would start in the tier past
// the last one of a page, the page name goes up by one and the column starts
// in the page's first tier. A measuring call (command N) leaves the page name
// and the tier as they were. A tier count of 0 or less sets no page limit.
#include <array>
#include <cstdint>

namespace kumi::engine {

class Engine;

struct ColumnFormat {
  int32_t startY = 0;
  int32_t length = 0;
  char align = '\0';
  bool fromTable = false;  // the TA entry gave the start
};

class VerticalFlow {
 public:
  explicit VerticalFlow(Engine& engine);
  VerticalFlow(const VerticalFlow&) = delete;
  VerticalFlow& operator=(const VerticalFlow&) = delete;

  // At the first cell of each column, before its alignment.
  void startColumn(ColumnFormat& format);
  // The column X after a column change from `columnX`, for columns
  // `columnSize` wide.
  int32_t nextColumnX(int32_t columnX, int32_t columnSize);
  // After the last column.
  void finish();

 private:
  enum class Kind { None, Tiers, Pages };

  Engine& engine_;
  Kind kind_ = Kind::None;
  int32_t tier_ = 0;
  std::array<char, 4> pageAtStart_{};
};

}  // namespace kumi::engine
