#pragma once
// The flowing kinds: U0 continues its lines in further tiers side by side,
// V0 as well and on further pages.
//
// A tier is full when the next line would reach the bottom of the block; the
// lines go on in the next tier, coord1 further right, from the block's top
// (U0) or from coord2 below the latched top (V0). The first V0 call of the
// process latches its originY, blockExtent and lineCounter (tiers a page) and
// is itself set from the first tier; later V0 calls start in tier
// lineCounter and store the tier reached back into the call record. When a V0
// line would start in the tier past the last one of a page, the page name
// goes up by one and the line starts in the page's first tier. A measuring
// call (command N) leaves the page name and the tier as they were.
#include <array>
#include <cstdint>

namespace kumi::engine {

class Engine;

struct LineFormat {
  int32_t startX = 0;
  int32_t length = 0;
  char align = '\0';
  bool fromTable = false;  // the TB entry gave the start
};

class HorizontalFlow {
 public:
  explicit HorizontalFlow(Engine& engine);
  HorizontalFlow(const HorizontalFlow&) = delete;
  HorizontalFlow& operator=(const HorizontalFlow&) = delete;

  // At the first cell of each line, before its alignment.
  void startLine(LineFormat& format);
  // The line Y after a line change from `lineY`.
  int32_t nextLineY(int32_t lineY, int32_t lineSize);
  // After the last line.
  void finish();

  int32_t tier() const { return tier_; }

 private:
  enum class Kind { None, Tiers, Pages };

  Engine& engine_;
  Kind kind_ = Kind::None;
  int32_t tier_ = 0;
  std::array<char, 4> pageAtStart_{};
};

// The page after `page`: its number plus one, written back as four digits
// (characters that are not digits count as 0; 9999 is followed by 0000).
std::array<char, 4> nextPageName(const std::array<char, 4>& page);

}  // namespace kumi::engine
