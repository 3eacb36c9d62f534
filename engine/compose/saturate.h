#pragma once
// Sums of advances are taken in 64 bits: a PC override may give a character
// any 32-bit advance, and a thousand of them must not overflow.
#include <cstdint>
#include <limits>

namespace kumi::engine {

constexpr int32_t saturateToInt32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace kumi::engine

namespace kumi::engine {

// Positions are the records' 32-bit integers: hostile origins and advances
// wrap as those integers would instead of overflowing.
constexpr int32_t wrapAdd(int64_t a, int64_t b) { return static_cast<int32_t>(a + b); }

}  // namespace kumi::engine
