#pragma once
// The screen's twips per pixel (15 at 96 dots per inch), and window layouts
// given in twips placed in pixels with it.
#include <QRect>

class QWidget;
class QScreen;

namespace kumi::viewer {

struct TwipsPerPixel {
  int16_t x = 15;
  int16_t y = 15;
};

// From the screen's logical resolution; the primary screen when `screen` is null.
TwipsPerPixel screenTwipsPerPixel(const QScreen* screen = nullptr);

// A rectangle given in twips (left, top, width, height), in pixels.
QRect twipsRect(const TwipsPerPixel& tpp, int left, int top, int width, int height);

}  // namespace kumi::viewer
