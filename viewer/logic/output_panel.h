#pragma once
// The print-output panel's actions, without the window: choosing the range,
// printing it through the print program or handing it to the preview, and
// the buttons that start the report tools.
//
// Failures are reported here, through the platform's message box, with the
// captions the user knows; the window only shows what the results say.
#include <string>

#include "viewer/logic/program_launcher.h"
#include "viewer/logic/viewer_state.h"

namespace kumi::viewer {

// The print program's command for RangeStart to RangeEnd, stored in
// LastCommand and started without waiting. False, with the system's
// description in `error`, when it cannot be started.
bool startPrintJob(ViewerState& state, ProgramLauncher& launcher, std::string& error);

class OutputPanel {
 public:
  OutputPanel(ViewerState& state, ProgramLauncher& launcher) : state_(state), launcher_(launcher) {}

  struct StartChoice {
    bool directPrint = false;  // "直接印刷" selected, else the preview
    bool allPages = true;      // "すべて" selected, else the typed range
    std::string from;          // the range boxes' texts
    std::string to;
  };
  struct StartResult {
    bool openPreview = false;      // the caller opens the preview modally now
    bool emptyRangeBoxes = false;  // "すべて": both boxes are emptied
    bool selectPageRange = false;  // the typed range: "ページ指定" becomes selected
    bool failed = false;           // reported already, caption "エラー"
  };
  // "印刷開始" up to opening the preview. The steps done before a failure stay
  // done, as the user saw them happen.
  StartResult start(const StartChoice& choice);
  // The status text once the start button's work is over.
  std::string statusText() const;

  // "印刷中止": only marks the request.
  void requestStop() { state_.stopRequested = 1; }
  // "組版情報": the report program, then the report file in the desktop's viewer.
  void typesettingInfo();
  // "ＬＩＰＳ専用": the preparation program, then on Yes the output program.
  void lipsOutput();

 private:
  // Starts a command through LastCommand; reports a failure with it as caption.
  bool launch(Command command);

  ViewerState& state_;
  ProgramLauncher& launcher_;
};

}  // namespace kumi::viewer
