#include "engine/text/digits.h"

namespace kumi::engine {

void applyDigitMode(char digitMode, InternalText& text) {
  if (digitMode == '0') return;
  const size_t n = text.length();
  auto toHalf = [&](size_t i) {
    text.units[i] = static_cast<Unit>(text.units[i] - code::kFullDigitZero + code::kHalfDigitZero);
    text.classes[i] = 'A';
  };
  if (digitMode == '1') {
    for (size_t i = 0; i < n; ++i) {
      if (code::isFullWidthDigit(text.units[i])) toHalf(i);
    }
    return;
  }
  bool previousConverted = false;
  for (size_t i = 0; i < n; ++i) {
    if (!code::isFullWidthDigit(text.units[i])) {
      previousConverted = false;
      continue;
    }
    const bool nextIsDigit = i + 1 < n && code::isFullWidthDigit(text.units[i + 1]);
    if (nextIsDigit || previousConverted) {
      toHalf(i);
      previousConverted = true;
    } else {
      text.units[i] = static_cast<Unit>(text.units[i] | 0x8000);
      previousConverted = false;
    }
  }
}

}  // namespace kumi::engine
