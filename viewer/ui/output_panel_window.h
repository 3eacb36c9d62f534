#pragma once
// Form1, the print-output panel: where the pages go (printer or preview),
// which pages (all or a typed range), and the buttons of the report tools.
// Every control stands where the panel's layout in twips puts it, converted
// with the screen's twips per pixel; the hidden controls exist, hidden.
//
// The window is thin over OutputPanel; the windows it opens (the preview,
// and through hooks the printer information and copy windows) are modal or
// left to run as each one requires.
#include <QWidget>
#include <functional>
#include <optional>

#include "viewer/logic/output_panel.h"
#include "viewer/ui/page_source.h"
#include "viewer/ui/screen_units.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kumi::viewer {

class OutputPanelWindow : public QWidget {
  Q_OBJECT
 public:
  OutputPanelWindow(ViewerState& state, const PageSource& pages, ProgramLauncher& launcher,
                    QWidget* parent = nullptr);

  // Centres the panel on its screen, as the panel's start-up does.
  void centreOnScreen();

  // Windows other parts of the viewer provide: the printer information
  // window (modal) and the copy window (for the file in CurrentFile).
  std::function<void(QWidget* parent)> openPrinterInfo;
  std::function<void(QWidget* parent)> openCopyWindow;
  // The clipboard button's file-open dialog: the chosen full path, or nullopt.
  std::function<std::optional<QString>(QWidget* parent)> chooseMetafile;
  // What the preview does once open (tests drive it); by default it runs modally.
  std::function<int(QDialog& preview)> runPreview;

  // The program is to end with this status once the panel has closed.
  int exitStatus() const { return exitStatus_; }

 private:
  void build();
  void start();
  void typesettingInfo();
  void lipsOutput();
  void clipboard();
  void latinFont();

  ViewerState& state_;
  const PageSource& pages_;
  ProgramLauncher& launcher_;
  OutputPanel panel_;
  TwipsPerPixel tpp_;
  int exitStatus_ = 0;

  QRadioButton* direct_ = nullptr;   // Option1
  QRadioButton* preview_ = nullptr;  // Option2
  QRadioButton* all_ = nullptr;      // Option3
  QRadioButton* range_ = nullptr;    // Option4
  QLineEdit* from_ = nullptr;        // Text3
  QLineEdit* to_ = nullptr;          // Text4
  QPushButton* start_ = nullptr;     // Cmd6
  QLabel* status_ = nullptr;         // Label1
};

}  // namespace kumi::viewer
