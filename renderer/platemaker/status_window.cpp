#include "renderer/platemaker/status_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kumi::renderer {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 75;
constexpr QColor kLightGrey(192, 192, 192);  // the light grey stock brush

QFont statusFont() {
  QFont font;
  // "ＭＳ 明朝" where it exists, else the Mincho face installed here.
  font.setFamilies({QString::fromUtf8("ＭＳ 明朝"), QStringLiteral("IPAMincho"),
                    QStringLiteral("IPAexMincho"), QStringLiteral("Noto Serif CJK JP")});
  font.setPixelSize(16);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

StatusWindow::StatusWindow(std::function<void()> run)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), run_(std::move(run)) {
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(false);
}

void StatusWindow::placeOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  move(area.x() + (area.width() - kWidth) / 2, area.y() + (area.height() / 3) * 2);
}

void StatusWindow::show(std::string_view utf8) {
  text_ = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  repaint();
}

void StatusWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kLightGrey);
  if (!text_.isEmpty()) {
    p.setFont(statusFont());
    p.setPen(Qt::black);
    // (70, 16) is the top-left corner of the text, as the system places it.
    p.drawText(QRect(70, 16, width() - 70, height() - 16), Qt::AlignLeft | Qt::AlignTop, text_);
  }
  if (!started_) {
    started_ = true;
    // Outside the paint event, so the conversion can paint as it goes.
    QTimer::singleShot(0, this, [this] { run_(); });
  }
}

}  // namespace kumi::renderer
