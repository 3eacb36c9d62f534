#include "viewer/ui/print_range_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "viewer/ui/field_behaviour.h"
#include "viewer/ui/screen_units.h"

namespace kumi::viewer {

PrintRangeDialog::PrintRangeDialog(ViewerState& state, ProgramLauncher& launcher, bool panelAllPages,
                                   QWidget* parent)
    : QDialog(parent), form_(state, launcher) {
  setObjectName("Form4");
  setWindowTitle("印刷範囲");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  const TwipsPerPixel tpp = screenTwipsPerPixel(screen());
  setFixedSize(twipsRect(tpp, 0, 0, 4035, 2430).size());

  auto* frame = new QGroupBox("印刷範囲", this);
  frame->setGeometry(twipsRect(tpp, 120, 120, 2535, 2190));
  all_ = new QRadioButton("すべて", frame);
  all_->setObjectName("Option3");
  all_->setGeometry(twipsRect(tpp, 240, 300, 2055, 300));
  range_ = new QRadioButton("ページ指定", frame);
  range_->setObjectName("Option4");
  range_->setGeometry(twipsRect(tpp, 240, 660, 2055, 300));
  from_ = new QLineEdit(frame);
  from_->setObjectName("Text3");
  from_->setGeometry(twipsRect(tpp, 360, 1080, 735, 330));
  auto* fromLabel = new QLabel("ページから", frame);
  fromLabel->move(twipsRect(tpp, 1200, 1140, 0, 0).topLeft());
  to_ = new QLineEdit(frame);
  to_->setObjectName("Text4");
  to_->setGeometry(twipsRect(tpp, 360, 1560, 735, 330));
  auto* toLabel = new QLabel("ページまで", frame);
  toLabel->move(twipsRect(tpp, 1200, 1620, 0, 0).topLeft());

  start_ = new QPushButton("開始", this);
  start_->setObjectName("Command1");
  start_->setGeometry(twipsRect(tpp, 2820, 240, 1095, 375));
  auto* close = new QPushButton("終了", this);
  close->setObjectName("Command2");
  close->setGeometry(twipsRect(tpp, 2820, 780, 1095, 375));

  connect(all_, &QRadioButton::clicked, this, [this] { showFields(form_.chooseAll(fields())); });
  connect(range_, &QRadioButton::clicked, this, [this] { from_->setFocus(Qt::MouseFocusReason); });
  selectOptionOnClick(from_, range_);
  selectOptionOnClick(to_, range_);
  moveFocusOnEnter(from_, to_);
  moveFocusOnEnter(to_, start_);
  connect(start_, &QPushButton::clicked, this, &PrintRangeDialog::start);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  showFields(form_.load(panelAllPages));
}

PrintRangeFields PrintRangeDialog::fields() const {
  return {all_->isChecked(), from_->text().toStdString(), to_->text().toStdString()};
}

void PrintRangeDialog::showFields(const PrintRangeFields& fields) {
  (fields.allPages ? all_ : range_)->setChecked(true);
  from_->setText(QString::fromStdString(fields.from));
  to_->setText(QString::fromStdString(fields.to));
}

void PrintRangeDialog::start() {
  QApplication::setOverrideCursor(Qt::BusyCursor);
  showFields(form_.start(fields()));
  QApplication::restoreOverrideCursor();
}

}  // namespace kumi::viewer
