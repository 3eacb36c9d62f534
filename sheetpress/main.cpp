// sheetpress FIRST LAST PR: prints the page files of a range (press.h).
#include <QApplication>
#include <cstdlib>

#include "platform/printer/printer.h"
#include "platform/qt/qt_message_box.h"
#include "sheetpress/press.h"

int main(int argc, char** argv) {
  // Without a display the program still prints; its messages then go to
  // standard error (or to the message log), since nobody could answer a
  // dialog.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && std::getenv("DISPLAY") == nullptr &&
      std::getenv("WAYLAND_DISPLAY") == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("offscreen") &&
      QGuiApplication::platformName() != QLatin1String("minimal")) {
    kumi::platform::installQtMessageBoxPresenter();
  }
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kumi::sheetpress::runSheetpress(args, kumi::platform::defaultPrinterEntry());
}
