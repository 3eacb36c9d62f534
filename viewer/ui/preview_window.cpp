#include "viewer/ui/preview_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "viewer/ui/page_display.h"
#include "viewer/ui/print_range_dialog.h"

namespace kumi::viewer {
namespace {

// Picture1: a grey viewport that keeps pointer events to itself, so moving
// over it is not movement over the window's own client area.
class Viewport : public QWidget {
 public:
  explicit Viewport(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
    setAttribute(Qt::WA_NoMousePropagation);
  }
};

PreviewController::Screen screenOf(const QWidget* window, TwipsPerPixel tpp) {
  const int extent = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
  return {extent, extent, tpp.x, tpp.y};
}

QRect pixels(const RectD& r) {
  const int left = static_cast<int>(std::lround(r.left));
  const int top = static_cast<int>(std::lround(r.top));
  return QRect(left, top, static_cast<int>(std::lround(r.left + r.width)) - left,
               static_cast<int>(std::lround(r.top + r.height)) - top);
}

void applyBar(QScrollBar* bar, const ScrollBarState& s) {
  bar->setGeometry(pixels(s.geometry));
  // A bar whose page fits has a maximum at or below 0; Qt keeps min <= max.
  bar->setRange(0, std::max<int>(0, s.max));
  bar->setValue(s.value);
  bar->setSingleStep(s.smallChange);
  bar->setPageStep(s.largeChange);
  bar->setVisible(s.visible);
}

}  // namespace

PreviewWindow::PreviewWindow(ViewerState& state, const PageSource& pages, ProgramLauncher& launcher,
                             bool panelAllPages, QWidget* parent)
    : QDialog(parent),
      state_(state),
      pages_(pages),
      launcher_(launcher),
      panelAllPages_(panelAllPages),
      tpp_(screenTwipsPerPixel(screen())),
      menuBar_(new QMenuBar(this)),
      position_(new QLabel(menuBar_)),
      client_(new QWidget(this)),
      viewport_(new Viewport(client_)),
      display_(new PageDisplay(viewport_)),
      hBar_(new QScrollBar(Qt::Horizontal, client_)),
      vBar_(new QScrollBar(Qt::Vertical, client_)),
      controller_(state, *this, screenOf(this, tpp_)) {
  setObjectName("Form3");
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  askText_ = [](QWidget* parent, const QString& prompt, const QString& title) -> std::optional<QString> {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, {}, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
  };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menuBar_);
  layout->addWidget(client_);
  client_->setObjectName("client");
  client_->setMouseTracking(true);
  client_->installEventFilter(this);
  // Never smaller than the bars beside the viewport, so a resize always lays out.
  const PreviewController::Screen bars = screenOf(this, tpp_);
  client_->setMinimumSize(bars.vScrollWidth * 3, bars.hScrollHeight * 3);
  hBar_->setObjectName("HScroll1");
  vBar_->setObjectName("VScroll1");
  hBar_->hide();
  vBar_->hide();
  buildMenus();

  // The position display: menu text on the menu colour, at the right end of
  // the menu bar line, wide enough for the text it shows.
  position_->setObjectName("StatusSpot");
  position_->setAutoFillBackground(true);
  QPalette p = position_->palette();
  p.setColor(QPalette::Window, menuBar_->palette().color(QPalette::Window));
  p.setColor(QPalette::WindowText, menuBar_->palette().color(QPalette::WindowText));
  position_->setPalette(p);
  position_->setMinimumWidth(position_->fontMetrics().horizontalAdvance(
      QString::fromUtf8("(9999pix×9999pix)   ﾚﾌﾄ 9999.9mm×ﾄｯﾌﾟ 9999.9mm")));
  menuBar_->setCornerWidget(position_, Qt::TopRightCorner);

  connect(display_, &PageDisplay::pressed, this, [this](Qt::MouseButton b) {
    controller_.pressOnPage(b == Qt::LeftButton    ? MouseButton::Left
                            : b == Qt::RightButton ? MouseButton::Right
                                                   : MouseButton::Other);
  });
  connect(display_, &PageDisplay::pointerMoved, this,
          [this](QPointF at) { controller_.pointerOnPage(at.x(), at.y()); });
  connect(hBar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncing_) controller_.userScrolledH(v);
  });
  connect(vBar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncing_) controller_.userScrolledV(v);
  });

  if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(Qt::WindowMaximized);
}

PreviewWindow::~PreviewWindow() = default;

QAction* PreviewWindow::addCommand(QMenu* menu, const char* name, const char* caption,
                                   const char* shortcut, void (PreviewWindow::*slot)()) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(name);
  if (shortcut != nullptr) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  connect(action, &QAction::triggered, this, slot);
  return action;
}

void PreviewWindow::buildMenus() {
  fileMenu_ = menuBar_->addMenu("ファイル(&F)");
  fileMenu_->setObjectName("MFILE");
  addCommand(fileMenu_, "MPRINT", "印刷(&P)", "Ctrl+P", &PreviewWindow::openPrintRange);
  fileMenu_->addSeparator()->setObjectName("MKUGIRI1");
  addCommand(fileMenu_, "MEND", "終了(&Q)", "Ctrl+Q", &PreviewWindow::end);

  editMenu_ = menuBar_->addMenu("編集(&E)");
  editMenu_->setObjectName("MHENSHU");
  addCommand(editMenu_, "MCOPY", "複写(&C)", "Ctrl+C", &PreviewWindow::copy);

  QMenu* op = menuBar_->addMenu("操作(&O)");
  op->setObjectName("MOP");
  addCommand(op, "MKAKUDAI", "拡大(&K)", "Ctrl+K", &PreviewWindow::zoomIn);
  addCommand(op, "MSHUKUSHOU", "縮小(&S)", "Ctrl+S", &PreviewWindow::zoomOut);
  addCommand(op, "MREBACK", "元に戻す(&R)", nullptr, &PreviewWindow::restoreSize);
  op->addSeparator()->setObjectName("MKUGIRI");
  next_ = addCommand(op, "MNEXTP", "次ページ(&N)", "Ctrl+N", &PreviewWindow::nextPage);
  previous_ = addCommand(op, "MBACKP", "前ページ(&B)", "Ctrl+B", &PreviewWindow::previousPage);
  goTo_ = addCommand(op, "PAGESITEI", "ページ指定(&J)", "Ctrl+J", &PreviewWindow::goToPage);

  optionMenu_ = menuBar_->addMenu("オプション(&P)");
  optionMenu_->setObjectName("MOPTION");
  info_ = addCommand(optionMenu_, "MINFO", "位置情報(&I)", "Ctrl+I", &PreviewWindow::toggleInfo);
  info_->setCheckable(true);
}

void PreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (loadStarted_) return;
  loadStarted_ = true;
  // Once shown, the client area has its size; load then.
  QTimer::singleShot(0, this, &PreviewWindow::loadFirstPage);
}

void PreviewWindow::loadFirstPage() {
  if (!controller_.load({double(client_->width()), double(client_->height())})) {
    done(kLoadFailed);
    return;
  }
  loaded_ = true;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::Resize && loaded_) {
      controller_.resize({double(client_->width()), double(client_->height())});
    } else if (event->type() == QEvent::MouseMove) {
      controller_.pointerOnClient();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PreviewWindow::openPrintRange() {
  PrintRangeDialog dialog(state_, launcher_, panelAllPages_, this);
  dialog.move(pos());
  dialog.exec();
}

void PreviewWindow::toggleInfo() {
  controller_.toggleInfo();
  info_->setChecked(controller_.infoChecked());
}

void PreviewWindow::setCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

std::optional<SizeD> PreviewWindow::loadPage(const std::string& path, std::string& error) {
  display_->setPicture(nullptr);
  QString why;
  auto picture = pages_.load(QString::fromStdString(path), why);
  if (!picture) {
    error = why.toStdString();
    return std::nullopt;
  }
  const QSize natural = picture->naturalSize(tpp_.x, tpp_.y);
  display_->setPicture(std::move(picture));
  return SizeD{double(natural.width()), double(natural.height())};
}

std::optional<std::string> PreviewWindow::askPage(const std::string& prompt, const std::string& title) {
  const auto answer = askText_(this, QString::fromStdString(prompt), QString::fromStdString(title));
  if (!answer) return std::nullopt;
  return answer->toStdString();
}

bool PreviewWindow::copyPage() {
  const auto& picture = display_->picture();
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!picture || clipboard == nullptr) return false;
  clipboard->clear();
  // The metafile as loaded, for programs that take metafiles, and the page
  // as an image at its natural size for those that do not.
  auto* data = new QMimeData;
  data->setData("image/x-emf", picture->fileBytes());
  // A page file's frame is untrusted: a picture beyond any real sheet (an A0
  // sheet at screen resolution is some 15 M pixels) goes as the metafile only.
  constexpr qint64 kMaxCopyPixels = qint64{64} << 20;
  const QSize natural = picture->naturalSize(tpp_.x, tpp_.y);
  QImage image;
  if (natural.width() > 0 && natural.height() > 0 &&
      qint64{natural.width()} * natural.height() <= kMaxCopyPixels) {
    image = QImage(natural, QImage::Format_RGB32);
  }
  if (!image.isNull()) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture->paint(painter, QRectF(image.rect()));
    painter.end();
    data->setImageData(image);
  }
  clipboard->setMimeData(data);
  return true;
}

void PreviewWindow::showPosition(const std::string& text) {
  position_->setText(QString::fromStdString(text));
}

void PreviewWindow::setPageMenusEnabled(bool enabled) {
  // The menus and their commands alike, so no shortcut reaches them.
  for (QMenu* menu : {fileMenu_, editMenu_, optionMenu_}) {
    menu->menuAction()->setEnabled(enabled);
    for (QAction* a : menu->actions()) a->setEnabled(enabled);
  }
  for (QAction* a : {next_, previous_, goTo_}) a->setEnabled(enabled);
}

void PreviewWindow::applyLayout(const PreviewLayout& layout, int repaints) {
  syncing_ = true;
  viewport_->setGeometry(pixels(layout.viewport()));
  display_->setGeometry(pixels(layout.display()));
  applyBar(hBar_, layout.hBar());
  applyBar(vBar_, layout.vBar());
  syncing_ = false;
  if (repaints > 0) display_->repaint();
}

}  // namespace kumi::viewer
