#pragma once
// The StatusWindow: a small grey window that shows what the conversion is
// doing. It is a thin view: the conversion runs once, started after the
// window's first paint, and writes its texts through the StatusSink.
#include <functional>
#include <string>

#include <QWidget>

#include "renderer/platemaker/status_sink.h"

namespace kumi::renderer {

class StatusWindow final : public QWidget, public StatusSink {
 public:
  // `run` is called once, after the window has first been painted.
  explicit StatusWindow(std::function<void()> run);

  // 300 x 75 pixels, centred across and two thirds of the way down the screen.
  void placeOnScreen();

  // StatusSink: replaces the text and paints it at once (the conversion
  // keeps the event loop busy, so nothing else would).
  void show(std::string_view utf8) override;
  using QWidget::show;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void()> run_;
  bool started_ = false;
  QString text_;
};

}  // namespace kumi::renderer
