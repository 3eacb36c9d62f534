#pragma once
// The print range dialog's logic: what it proposes and how "開始" turns its
// fields into a print job. The dialog stays open for further jobs, and what
// it starts becomes the preview's range.
#include <string>

#include "viewer/logic/program_launcher.h"
#include "viewer/logic/viewer_state.h"

namespace kumi::viewer {

struct PrintRangeFields {
  bool allPages = false;  // "すべて" selected, else "ページ指定"
  std::string from;       // Text3
  std::string to;         // Text4
};

class PrintRangeForm {
 public:
  PrintRangeForm(ViewerState& state, ProgramLauncher& launcher) : state_(state), launcher_(launcher) {}

  // The proposal: the panel's choice of all pages, and the range from the
  // page on screen to the end.
  PrintRangeFields load(bool panelAllPages) const;
  // "すべて" clicked: the run's first and last page names.
  PrintRangeFields chooseAll(PrintRangeFields fields) const;
  // "開始": the range becomes RangeStart and RangeEnd, normalised, and the
  // print program starts. A program that cannot start is reported with its
  // command line as caption. Returns the fields as the dialog now shows them.
  PrintRangeFields start(PrintRangeFields fields);

 private:
  ViewerState& state_;
  ProgramLauncher& launcher_;
};

}  // namespace kumi::viewer
