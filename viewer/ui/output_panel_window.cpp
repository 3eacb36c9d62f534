#include "viewer/ui/output_panel_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "viewer/logic/viewer_config.h"
#include "viewer/ui/field_behaviour.h"
#include "viewer/ui/preview_window.h"

namespace kumi::viewer {
namespace {

// The pointer shows work in progress for as long as it lives.
class BusyPointer {
 public:
  explicit BusyPointer(Qt::CursorShape shape = Qt::WaitCursor) {
    QApplication::setOverrideCursor(shape);
  }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

std::optional<QString> askForMetafile(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QString::fromUtf8("拡張ﾒﾀﾌｧｲﾙ(*.emf)"), QString::fromUtf8("EXTﾒﾀﾌｧｲﾙ(*.wmf)")});
  dialog.setDefaultSuffix("emf");
  dialog.selectFile({});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

OutputPanelWindow::OutputPanelWindow(ViewerState& state, const PageSource& pages,
                                     ProgramLauncher& launcher, QWidget* parent)
    : QWidget(parent),
      state_(state),
      pages_(pages),
      launcher_(launcher),
      panel_(state, launcher),
      tpp_(screenTwipsPerPixel(screen())) {
  setObjectName("Form1");
  setWindowTitle("印刷出力");
  chooseMetafile = askForMetafile;
  build();
}

void OutputPanelWindow::build() {
  setFixedSize(twipsRect(tpp_, 0, 0, 4920, 4575).size());
  auto at = [this](int l, int t, int w, int h) { return twipsRect(tpp_, l, t, w, h); };
  auto button = [&](const char* name, const char* caption, QRect where, bool shown) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    b->setGeometry(where);
    b->setAutoDefault(true);  // Enter presses the focused button
    b->setVisible(shown);
    return b;
  };
  auto option = [&](QWidget* in, const char* name, const char* caption, QRect where, bool shown) {
    auto* o = new QRadioButton(QString::fromUtf8(caption), in);
    o->setObjectName(name);
    o->setGeometry(where);
    o->setVisible(shown);
    return o;
  };
  auto label = [&](QWidget* in, const char* caption, QPoint where) {
    auto* l = new QLabel(QString::fromUtf8(caption), in);
    l->move(where);
    l->adjustSize();
    return l;
  };

  auto* destination = new QGroupBox("印刷の出力先", this);
  destination->setObjectName("Frame1");
  destination->setGeometry(at(240, 240, 2535, 1095));
  direct_ = option(destination, "Option1", "直接印刷", at(360, 240, 1935, 300), true);
  preview_ = option(destination, "Option2", "プレビュー", at(360, 720, 1935, 300), true);
  option(destination, "Option5", "メタファイル作成", at(360, 1200, 1935, 300), false);

  auto* range = new QGroupBox("印刷範囲", this);
  range->setObjectName("Frame2");
  range->setGeometry(at(240, 1680, 2535, 2655));
  all_ = option(range, "Option3", "すべて", at(360, 480, 1935, 300), true);
  range_ = option(range, "Option4", "ページ指定", at(360, 960, 1935, 300), true);
  from_ = new QLineEdit(range);
  from_->setObjectName("Text3");
  from_->setGeometry(at(480, 1440, 735, 330));
  label(range, "ページから", at(1320, 1560, 0, 0).topLeft());
  to_ = new QLineEdit(range);
  to_->setObjectName("Text4");
  to_->setGeometry(at(480, 2040, 735, 330));
  label(range, "ページまで", at(1320, 2160, 0, 0).topLeft());

  start_ = button("Cmd6", "印刷開始", at(3240, 360, 1455, 375), true);
  auto* info = button("Cmd9", "組版情報", at(3240, 900, 1455, 375), true);
  auto* printer = button("Cmd8", "プリンタ情報", at(3240, 1440, 1455, 375), true);
  auto* quit = button("Cmd4", "終了", at(3240, 1980, 1455, 375), true);
  auto* stop = button("Cmd7", "印刷中止", at(3240, 3360, 1455, 375), false);
  auto* lips = button("Cmd10", "ＬＩＰＳ専用", at(3240, 3840, 1455, 375), false);
  auto* clip = button("Cmd3", "クリップボード", at(3300, 4020, 1455, 375), false);
  auto* latin = button("Cmd1", "使用欧文フォント", at(3000, 4680, 1455, 375), false);

  // The margins: set to 5 at start-up and never read.
  auto* margins = new QGroupBox("マージン", this);
  margins->setObjectName("Frame3");
  margins->setGeometry(at(3240, 4680, 1455, 1095));
  margins->hide();
  label(margins, "トップ", at(120, 300, 0, 0).topLeft());
  auto* top = new QLineEdit("5", margins);
  top->setObjectName("Text1");
  top->setGeometry(at(600, 240, 375, 300));
  label(margins, "ｍｍ", at(1020, 300, 0, 0).topLeft());
  label(margins, "レフト", at(120, 660, 0, 0).topLeft());
  auto* left = new QLineEdit("5", margins);
  left->setObjectName("Text2");
  left->setGeometry(at(600, 600, 375, 300));
  label(margins, "ｍｍ", at(1020, 660, 0, 0).topLeft());

  status_ = new QLabel(this);
  status_->setObjectName("Label1");
  status_->setGeometry(at(240, 5040, 2535, 255));
  status_->setAlignment(Qt::AlignCenter);
  status_->hide();
  QLabel* edited = label(this, "編集ページ", at(240, 4680, 0, 0).topLeft());
  edited->setObjectName("Label5");
  edited->hide();

  preview_->setChecked(true);
  all_->setChecked(true);

  connect(range_, &QRadioButton::clicked, this, [this] { from_->setFocus(Qt::MouseFocusReason); });
  selectOptionOnClick(from_, range_);
  selectOptionOnClick(to_, range_);
  moveFocusOnEnter(from_, to_);
  moveFocusOnEnter(to_, start_);
  moveFocusOnEnter(top, left);

  connect(start_, &QPushButton::clicked, this, &OutputPanelWindow::start);
  connect(info, &QPushButton::clicked, this, &OutputPanelWindow::typesettingInfo);
  connect(printer, &QPushButton::clicked, this, [this] {
    QCoreApplication::processEvents();
    if (openPrinterInfo) openPrinterInfo(this);
  });
  connect(quit, &QPushButton::clicked, this, &QWidget::close);
  connect(stop, &QPushButton::clicked, this, [this] { panel_.requestStop(); });
  connect(lips, &QPushButton::clicked, this, &OutputPanelWindow::lipsOutput);
  connect(clip, &QPushButton::clicked, this, &OutputPanelWindow::clipboard);
  connect(latin, &QPushButton::clicked, this, &OutputPanelWindow::latinFont);
}

void OutputPanelWindow::centreOnScreen() {
  const QScreen* s = screen();
  if (s == nullptr) return;
  const QRect area = s->geometry();
  move(area.left() + centredOffset(area.width(), frameGeometry().width()),
       area.top() + centredOffset(area.height(), frameGeometry().height()));
}

void OutputPanelWindow::start() {
  const auto result = panel_.start({direct_->isChecked(), all_->isChecked(),
                                    from_->text().toStdString(), to_->text().toStdString()});
  if (result.emptyRangeBoxes) {
    from_->clear();
    to_->clear();
  }
  if (result.selectPageRange) range_->setChecked(true);
  if (result.failed) return;
  if (result.openPreview) {
    QCoreApplication::processEvents();
    PreviewWindow preview(state_, pages_, launcher_, all_->isChecked(), this);
    const int code = runPreview ? runPreview(preview) : preview.exec();
    if (code == PreviewWindow::kLoadFailed) {
      exitStatus_ = 1;
      close();
      return;
    }
  }
  status_->setText(QString::fromStdString(panel_.statusText()));
}

void OutputPanelWindow::typesettingInfo() {
  BusyPointer busy;
  panel_.typesettingInfo();
}

void OutputPanelWindow::lipsOutput() {
  BusyPointer busy;
  panel_.lipsOutput();
}

void OutputPanelWindow::clipboard() {
  BusyPointer busy;
  QCoreApplication::processEvents();
  const auto chosen = chooseMetafile ? chooseMetafile(this) : std::nullopt;
  if (!chosen) return;
  state_.currentFile = chosen->toStdString();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  if (openCopyWindow) openCopyWindow(this);
}

void OutputPanelWindow::latinFont() {
  // No window of its own: the hourglass alone shows the press was taken.
  BusyPointer busy;
}

}  // namespace kumi::viewer
