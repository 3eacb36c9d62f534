#include "samples/demo1/demo1_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "samples/demo1/sample_sequence.h"

namespace kumi::samples {

Demo1Window::Demo1Window(CallSet& set, QWidget* parent)
    : QWidget(parent),
      set_(set),
      sample_(new QPushButton(QStringLiteral("サンプル"), this)),
      end_(new QPushButton(QStringLiteral("終了"), this)),
      done_(new QLabel(this)) {
  setWindowTitle(QStringLiteral("さんぷる版-1"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(sample_);
  buttons->addWidget(end_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(done_);
  done_->setMinimumWidth(240);

  connect(sample_, &QPushButton::clicked, this, [this] {
    runSample(set_);
    done_->setText(QString::fromUtf8(kSampleDone));
  });
  connect(end_, &QPushButton::clicked, qApp, &QApplication::quit);
}

}  // namespace kumi::samples
