#pragma once
// The calls of demo1's sample: one page with a horizontal and a vertical
// text, an image, a rounded box and two rules, between an open and a close.
#include "samples/demo1/call_set.h"

namespace kumi::samples {

// The completion text the window shows afterwards.
inline constexpr const char* kSampleDone = "組版終了しました。";

void runSample(CallSet& set);

}  // namespace kumi::samples
