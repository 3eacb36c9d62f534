#pragma once
// The class grid: for each character of the proportional list, its width
// class (advance in sixteenths of an em) in each of the 26 font columns, one
// grid per font family. The data is generated from the renderer's faces by
// tools/fontmetrics/generate_metric_grid.py (metric_grid.cpp).
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/text/codes.h"

namespace kumi::engine::metrics {

constexpr size_t kColumns = 26;
constexpr size_t kProportionalCount = 114;
// The list keeps one slot that no character matches (code 0 never reaches
// measuring as a character: it ends the text).
constexpr Unit kNeverMatches = 0x0000;

using MetricRow = std::array<uint8_t, kColumns>;

extern const std::array<Unit, kProportionalCount> kProportionalCodes;
extern const std::array<MetricRow, kProportionalCount> kFirstFamilyGrid;
extern const std::array<MetricRow, kProportionalCount> kSecondFamilyGrid;

}  // namespace kumi::engine::metrics
