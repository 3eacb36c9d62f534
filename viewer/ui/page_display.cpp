#include "viewer/ui/page_display.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kumi::viewer {
namespace {

// Past this many pixels the page is painted straight onto the screen, part
// by part, instead of into a kept picture.
constexpr qint64 kMaxCachedPixels = qint64{4096} * 2048;

}  // namespace

PageDisplay::PageDisplay(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture2");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageDisplay::setPicture(std::shared_ptr<const PagePicture> picture) {
  picture_ = std::move(picture);
  cache_ = QPixmap();
  update();
}

void PageDisplay::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Base);  // the system window colour
  if (!picture_) {
    painter.fillRect(event->rect(), background);
    return;
  }
  const qreal ratio = devicePixelRatioF();
  const QSize device = size() * ratio;
  if (qint64{device.width()} * device.height() > kMaxCachedPixels) {
    painter.fillRect(event->rect(), background);
    painter.setClipRect(event->rect());
    picture_->paint(painter, QRectF(rect()));
    return;
  }
  if (cache_.size() != device) {
    cache_ = QPixmap(device);
    cache_.setDevicePixelRatio(ratio);
    cache_.fill(background);
    QPainter into(&cache_);
    into.setRenderHint(QPainter::Antialiasing);
    into.setRenderHint(QPainter::SmoothPixmapTransform);
    picture_->paint(into, QRectF(rect()));
  }
  painter.drawPixmap(event->rect(), cache_, QRectF(QPointF(event->rect().topLeft()) * ratio,
                                                   QSizeF(event->rect().size()) * ratio));
}

void PageDisplay::mousePressEvent(QMouseEvent* event) { emit pressed(event->button()); }

void PageDisplay::mouseMoveEvent(QMouseEvent* event) { emit pointerMoved(event->position()); }

}  // namespace kumi::viewer
