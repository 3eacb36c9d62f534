#pragma once
// demo1's window: "サンプル" runs the sample, "終了" ends the program, and a
// label shows the completion text.
#include <QWidget>

#include "samples/demo1/call_set.h"

class QLabel;
class QPushButton;

namespace kumi::samples {

class Demo1Window : public QWidget {
 public:
  explicit Demo1Window(CallSet& set, QWidget* parent = nullptr);

  QPushButton* sampleButton() const { return sample_; }
  QPushButton* endButton() const { return end_; }
  QLabel* doneLabel() const { return done_; }

 private:
  CallSet& set_;
  QPushButton* sample_;
  QPushButton* end_;
  QLabel* done_;
};

}  // namespace kumi::samples
