#pragma once
// The preview's geometry: the viewport, the page display inside it, the two
// scroll bars beside it, and how zooming and scrolling move them.
//
// All values are screen pixels. The display's size and place are kept
// exactly (zoom steps multiply it by 1.5 or 0.5, so halves appear); widgets
// round them when they are placed. Scroll bar values, maxima and steps are
// 16-bit, as the bars are: a value the bar cannot hold fails the statement
// that tried to set it, and the procedures below say what a failure ends.
// A change of a bar's value, whether by the user, by code or by a new
// maximum that no longer admits it, runs that bar's change handler, which
// moves the display and decides whether it is repainted at once.
#include <cstdint>
#include <optional>

namespace kumi::viewer {

struct SizeD {
  double width = 0;
  double height = 0;
  bool operator==(const SizeD&) const = default;
};

struct RectD {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool operator==(const RectD&) const = default;
};

struct ScrollBarState {
  int16_t min = 0;  // always 0
  int16_t max = 0;  // negative or 0 while the page fits
  int16_t value = 0;
  int16_t smallChange = 1;
  int16_t largeChange = 1;
  bool visible = false;
  RectD geometry;  // position and length; the thickness is the bar's own
};

// The largest display, per axis, zoom-in still produces: past it a zoom-in
// step leaves the size as it is (scrolling ends at 32767 pixels long before).
inline constexpr double kMaxDisplayExtent = 65536;

class PreviewLayout {
 public:
  // The bars' thickness: the vertical bar's width, the horizontal one's height.
  PreviewLayout(int vScrollWidth, int hScrollHeight)
      : vScrollWidth_(vScrollWidth), hScrollHeight_(hScrollHeight) {}

  const RectD& viewport() const { return viewport_; }  // in the client area
  const RectD& display() const { return display_; }    // in the viewport
  const ScrollBarState& hBar() const { return h_; }
  const ScrollBarState& vBar() const { return v_; }
  SizeD client() const { return client_; }

  // The viewport fills the client area less the bars, at (0, 0). False when
  // the client area is smaller than the bars (nothing changes then).
  bool fitViewport(SizeD client);
  void moveDisplay(double left, double top) { display_.left = left, display_.top = top; }
  void setDisplaySize(SizeD size) { display_.width = size.width, display_.height = size.height; }

  // Lays out the bars, sets their maxima, shows the ones needed and sets
  // their steps; a failure ends it silently, leaving later steps undone.
  void scroll();

  // Setting a value runs the change handler when the value changes. False
  // when the bar cannot hold the value (nothing changes then).
  bool setHValue(int32_t value);
  bool setVValue(int32_t value);
  // The change handlers themselves, as the bars run them.
  void hScrollChanged();
  void vScrollChanged();

  // The zoom steps: size times 1.5 or 0.5, then the display placed and the
  // bars laid out again. Every statement stands alone: one that fails is
  // skipped and the step goes on.
  void enlarge();
  void reduce();

  // How many immediate repaints the handlers asked for since the last call.
  int takeRepaints() {
    const int n = repaints_;
    repaints_ = 0;
    return n;
  }

 private:
  void layoutBars();
  bool setMax(ScrollBarState& bar, double max);
  bool setValue(ScrollBarState& bar, int32_t value);
  bool setSteps(ScrollBarState& bar);

  int vScrollWidth_;
  int hScrollHeight_;
  SizeD client_;
  RectD viewport_;
  RectD display_;
  ScrollBarState h_;
  ScrollBarState v_;
  int16_t hMoved_ = 0;  // the handlers skip one repaint after the other bar moved
  int16_t vMoved_ = 0;
  int repaints_ = 0;
};

}  // namespace kumi::viewer
