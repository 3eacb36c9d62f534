// demo1: the single-page sample client. Run it in a directory holding
// WINPRM.cfg; "サンプル" writes one page into DataDir's sk.dat.
// With the argument --run it runs the sample without a window.
#include <QApplication>

#include <cstring>

#include "platform/qt/qt_message_box.h"
#include "samples/demo1/demo1_window.h"
#include "samples/demo1/sample_sequence.h"

int main(int argc, char** argv) {
  static kumi::samples::CallSet callSet;
  if (argc == 2 && std::strcmp(argv[1], "--run") == 0) {
    kumi::samples::runSample(callSet);
    return 0;
  }
  QApplication app(argc, argv);
  kumi::platform::installQtMessageBoxPresenter();
  kumi::samples::Demo1Window window(callSet);
  window.show();
  return app.exec();
}
