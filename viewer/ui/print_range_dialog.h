#pragma once
// Form4, the print range dialog: "すべて" or a typed range, and "開始" to
// print it while the dialog stays open for further jobs.
#include <QDialog>

#include "viewer/logic/print_range.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kumi::viewer {

class PrintRangeDialog : public QDialog {
  Q_OBJECT
 public:
  PrintRangeDialog(ViewerState& state, ProgramLauncher& launcher, bool panelAllPages,
                   QWidget* parent = nullptr);

 private:
  PrintRangeFields fields() const;
  void showFields(const PrintRangeFields& fields);
  void start();

  PrintRangeForm form_;
  QRadioButton* all_;
  QRadioButton* range_;
  QLineEdit* from_;
  QLineEdit* to_;
  QPushButton* start_;
};

}  // namespace kumi::viewer
