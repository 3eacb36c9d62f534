#pragma once
// Picture2, the page display: paints its page scaled to its own size on the
// window background, and reports presses and pointer movement.
//
// What it painted is kept as long as neither the page nor the size changes,
// so moving the display to scroll costs a copy, not a replay of the page.
// Very large (zoomed) displays paint only the part exposed.
#include <QPixmap>
#include <QWidget>
#include <memory>

#include "viewer/ui/page_source.h"

namespace kumi::viewer {

class PageDisplay : public QWidget {
  Q_OBJECT
 public:
  explicit PageDisplay(QWidget* parent = nullptr);

  // nullptr takes the page off; the size stays as it is.
  void setPicture(std::shared_ptr<const PagePicture> picture);
  const std::shared_ptr<const PagePicture>& picture() const { return picture_; }

 signals:
  void pressed(Qt::MouseButton button);
  void pointerMoved(QPointF position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  std::shared_ptr<const PagePicture> picture_;
  QPixmap cache_;
};

}  // namespace kumi::viewer
