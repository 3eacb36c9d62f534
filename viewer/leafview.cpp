// leafview: the print-output panel and the page preview of a run.
//
// Started as "leafview G" by platemaker and kumidesk with the program
// directory as current directory; any other argument ends it at once.
// WINPRM.cfg and WINFONT.cfg are read from this program's own folder,
// winpage.cfg from ProgramDir.
#include <QApplication>
#include <string>
#include <vector>

#include "platform/base/message_box.h"
#include "platform/base/paths.h"
#include "platform/qt/qt_message_box.h"
#include "viewer/logic/viewer_config.h"
#include "viewer/ui/output_panel_window.h"

int main(int argc, char** argv) {
  using namespace kumi;
  // Checked before any window system is touched: a wrong start shows nothing.
  if (!viewer::isViewerArgument(std::vector<std::string>(argv + 1, argv + argc))) return 2;

  QApplication app(argc, argv);
  platform::installQtMessageBoxPresenter();

  viewer::ViewerState state;
  viewer::ProcessLauncher launcher;
  const auto pages = viewer::makeMetafilePageSource();
  viewer::OutputPanelWindow panel(state, *pages, launcher);
  panel.centreOnScreen();
  if (auto failure = viewer::readViewerConfig(platform::programDirectory(), state)) {
    platform::messageBox(failure->description, failure->caption);
    return 1;
  }
  panel.show();
  app.exec();
  return panel.exitStatus();
}
