#include "renderer/shapes/rule_state.h"

#include <cmath>
#include <limits>

namespace kumi::renderer::shapes {
namespace {

using platform::rgb;

// One unit of a stored width in logical units: 0.254 mm on a standard page
// (×10 stored, 0.01 mm units) and on a large one (stored as is, 0.1 mm).
constexpr double kLogicalPerStoredUnit = 2.54;

constexpr std::array<ColorRef, 9> kFixedColours = {
    rgb(0, 0, 0),       rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),   rgb(255, 0, 0),
    rgb(255, 0, 255),   rgb(255, 255, 0), rgb(255, 255, 255), rgb(128, 128, 128),
};

// The solid widths in the order of their rule-width lines 1-8.
constexpr std::array<char, 8> kWidthCodes = {'O', 'N', 'A', 'V', 'W', 'X', 'Y', 'Z'};

}  // namespace

std::optional<ColorRef> colourOfCode(char code, const std::array<settings::Rgb, 7>& userColors) {
  if (code >= '1' && code <= '9') return kFixedColours[static_cast<size_t>(code - '1')];
  size_t user = userColors.size();
  if (code >= 'A' && code <= 'G') user = static_cast<size_t>(code - 'A');
  if (code >= 'a' && code <= 'g') user = static_cast<size_t>(code - 'a');
  if (user == userColors.size()) return std::nullopt;
  const settings::Rgb& c = userColors[user];
  return rgb(c.red, c.green, c.blue);
}

std::optional<LineType> lineTypeOfCode(char code, bool batch,
                                       const std::array<int32_t, 8>& ruleWidths) {
  using namespace platform::PenStyle;
  switch (code) {
    case '2': return LineType{Dash, 1};
    case '3': return LineType{Dot, 1};
    case '4': return LineType{DashDot, 1};
    case '5': return LineType{DashDotDot, 1};
    default: break;
  }
  for (size_t i = 0; i < kWidthCodes.size(); ++i) {
    if (kWidthCodes[i] == code) return LineType{batch ? InsideFrame : Solid, ruleWidths[i]};
  }
  return std::nullopt;
}

int32_t penWidthOf(int32_t storedWidth) {
  if (storedWidth <= 0) return 0;
  const double w = std::trunc(storedWidth * kLogicalPerStoredUnit);
  if (w >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  return static_cast<int32_t>(w);
}

double halfPenOf(int32_t storedWidth) {
  return storedWidth <= 0 ? 0.0 : storedWidth * kLogicalPerStoredUnit / 2;
}

Fill fillOfCode(char code) {
  using platform::HatchStyle;
  switch (code) {
    case '0': return {FillKind::Solid};
    case '2': return {FillKind::Hatch, HatchStyle::Horizontal};
    case '3': return {FillKind::Hatch, HatchStyle::Vertical};
    case '4': return {FillKind::Hatch, HatchStyle::ForwardDiagonal};
    case '5': return {FillKind::Hatch, HatchStyle::BackwardDiagonal};
    case '6': return {FillKind::Hatch, HatchStyle::Cross};
    case '7': return {FillKind::Hatch, HatchStyle::DiagonalCross};
    case '8': return {FillKind::TintScreen};
    default: return {FillKind::None};
  }
}

}  // namespace kumi::renderer::shapes
