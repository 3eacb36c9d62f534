#include "viewer/logic/preview_layout.h"

#include <algorithm>
#include <limits>

#include "viewer/logic/page_names.h"

namespace kumi::viewer {
namespace {

bool fitsInt16(double v) {
  return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

}  // namespace

bool PreviewLayout::fitViewport(SizeD client) {
  const double width = client.width - vScrollWidth_;
  const double height = client.height - hScrollHeight_;
  if (width < 0 || height < 0) return false;
  client_ = client;
  viewport_ = {0, 0, width, height};
  return true;
}

void PreviewLayout::layoutBars() {
  h_.geometry = {0, viewport_.height, viewport_.width, static_cast<double>(hScrollHeight_)};
  v_.geometry = {viewport_.width, 0, static_cast<double>(vScrollWidth_), viewport_.height};
}

bool PreviewLayout::setMax(ScrollBarState& bar, double max) {
  const double rounded = roundHalfEven(max);
  if (!fitsInt16(rounded)) return false;
  bar.max = static_cast<int16_t>(rounded);
  // A maximum that no longer admits the value moves it, as the user would
  // see the thumb move: the change handler runs.
  const int16_t low = std::min(bar.min, bar.max), high = std::max(bar.min, bar.max);
  const int16_t clamped = std::clamp(bar.value, low, high);
  if (clamped != bar.value) setValue(bar, clamped);
  return true;
}

bool PreviewLayout::setValue(ScrollBarState& bar, int32_t value) {
  if (value < std::min(bar.min, bar.max) || value > std::max(bar.min, bar.max)) return false;
  if (value == bar.value) return true;
  bar.value = static_cast<int16_t>(value);
  if (&bar == &h_) hScrollChanged();
  else vScrollChanged();
  return true;
}

bool PreviewLayout::setSteps(ScrollBarState& bar) {
  const double span = static_cast<double>(bar.max) - bar.min;
  const double large = roundHalfEven(span / 5);
  if (large < 1 || !fitsInt16(large)) return false;
  bar.largeChange = static_cast<int16_t>(large);
  const double small = roundHalfEven(span / 10);
  if (small < 1 || !fitsInt16(small)) return false;
  bar.smallChange = static_cast<int16_t>(small);
  return true;
}

bool PreviewLayout::setHValue(int32_t value) { return setValue(h_, value); }
bool PreviewLayout::setVValue(int32_t value) { return setValue(v_, value); }

void PreviewLayout::hScrollChanged() {
  hMoved_ = 1;
  display_.left = -h_.value;
  if (vMoved_ == 1) vMoved_ = 0;
  else ++repaints_;
}

void PreviewLayout::vScrollChanged() {
  vMoved_ = 1;
  display_.top = -v_.value;
  if (hMoved_ == 1) hMoved_ = 0;
  else ++repaints_;
}

void PreviewLayout::scroll() {
  layoutBars();
  if (!setMax(h_, display_.width - viewport_.width)) return;
  if (!setMax(v_, display_.height - viewport_.height)) return;
  v_.visible = viewport_.height < display_.height;
  h_.visible = viewport_.width < display_.width;
  if (v_.visible && !setSteps(v_)) return;
  if (h_.visible && !setSteps(h_)) return;
}

void PreviewLayout::enlarge() {
  const double width = display_.width + display_.width * 0.5;
  const double height = display_.height + display_.height * 0.5;
  if (width <= kMaxDisplayExtent && height <= kMaxDisplayExtent) setDisplaySize({width, height});

  const double p1w = viewport_.width, p1h = viewport_.height;
  const double p2w = display_.width, p2h = display_.height;
  if (p1h >= p2h && p1w >= p2w) {
    moveDisplay((p1w - p2w) / 2, (p1h - p2h) / 2);
  } else if (p2h >= p1h && p2w >= p1w) {
    // Overhang on both axes: keep the view at the same relative place.
    layoutBars();
    const int16_t oldH = h_.max, oldV = v_.max;
    setMax(h_, p2w - p1w);
    setMax(v_, p2h - p1h);
    if (oldH != 0) setValue(h_, static_cast<int32_t>(roundHalfEven(double(h_.max) / oldH * h_.value)));
    if (oldV != 0) setValue(v_, static_cast<int32_t>(roundHalfEven(double(v_.max) / oldV * v_.value)));
    hScrollChanged();
    vScrollChanged();
  } else if (p2h >= p1h) {
    moveDisplay((p1w - p2w) / 2, 0);
  } else {
    moveDisplay(0, (p1h - p2h) / 2);
  }
  scroll();
}

void PreviewLayout::reduce() {
  setDisplaySize({display_.width - display_.width * 0.5, display_.height - display_.height * 0.5});
  const double p1w = viewport_.width, p1h = viewport_.height;
  const double p2w = display_.width, p2h = display_.height;
  if (p1h >= p2h && p1w >= p2w) {
    setVValue(0);
    setHValue(0);
    moveDisplay((p1w - p2w) / 2, (p1h - p2h) / 2);
  } else if (p2h >= p1h) {
    moveDisplay((p1w - p2w) / 2, 0);
  } else {
    moveDisplay(0, (p1h - p2h) / 2);
  }
  scroll();
}

}  // namespace kumi::viewer
