#include "viewer/ui/screen_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "viewer/logic/preview_controller.h"

namespace kumi::viewer {

TwipsPerPixel screenTwipsPerPixel(const QScreen* screen) {
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  return {twipsPerPixel(screen->logicalDotsPerInchX()), twipsPerPixel(screen->logicalDotsPerInchY())};
}

QRect twipsRect(const TwipsPerPixel& tpp, int left, int top, int width, int height) {
  auto px = [](int twips, int16_t per) { return static_cast<int>(std::lround(double(twips) / per)); };
  return QRect(px(left, tpp.x), px(top, tpp.y), px(width, tpp.x), px(height, tpp.y));
}

}  // namespace kumi::viewer
