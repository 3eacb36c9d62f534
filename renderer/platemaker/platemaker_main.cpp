// platemaker: turns the engine's page file into one metafile per page.
//
// The argument's first character is the run mode (run_mode.h). Batch mode
// '2' runs without a window and without a display; every other mode shows
// the status window while it converts, then asks or starts the viewer.
#include <QApplication>

#include "platform/base/memory.h"
#include "platform/qt/qt_message_box.h"
#include "renderer/platemaker/conversion.h"
#include "renderer/platemaker/follow_up.h"
#include "renderer/platemaker/page_drawing.h"
#include "renderer/platemaker/run_mode.h"
#include "renderer/platemaker/status_window.h"

namespace {

using namespace kumi::renderer;

int runBatch() {
  PageDrawing drawing;
  NoStatus status;
  return convert(kBatchMode, drawing, status).exitStatus();
}

int runWindowed(int argc, char** argv, char runMode) {
  QApplication app(argc, argv);
  // The program ends with the conversion's status, not when the window goes.
  app.setQuitOnLastWindowClosed(false);
  kumi::platform::installQtMessageBoxPresenter();
  PageDrawing drawing;
  StatusWindow* window = nullptr;
  StatusWindow status([&] {
    const ConversionResult result = convert(runMode, drawing, *window);
    if (result.status != ConversionResult::Status::MissingFile) runFollowUp(runMode, result);
    QCoreApplication::exit(result.exitStatus());
    window->close();
  });
  window = &status;
  status.setWindowTitle(QString::fromUtf8("出力変換"));
  status.placeOnScreen();
  status.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  kumi::platform::keepFreedMemoryForReuse();
  const char runMode = runModeOf(argumentText(argc, argv));
  if (runMode == '\0') return 0;
  if (runMode == kBatchMode) return runBatch();
  return runWindowed(argc, argv, runMode);
}
