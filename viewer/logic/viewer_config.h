#pragma once
// The viewer's start-up: the argument check and the reading of its settings.
//
// WINPRM.cfg and WINFONT.cfg come from the viewer's own program folder (not
// the current directory), winpage.cfg from ProgramDir. A file that is missing
// or shorter than the records read stops the start-up with a failure whose
// caption names the file being read, as the user is shown it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/logic/viewer_state.h"

namespace kumi::viewer {

// The arguments after the program name, joined by blanks and trimmed, must be
// exactly "G".
bool isViewerArgument(const std::vector<std::string>& args);

// Where a window goes to stand centred: (screen - window), rounded to an
// integer (halves to even), then halved with the remainder dropped.
int centredOffset(double screenExtent, double windowExtent);

// The system's descriptions of the reading failures.
inline constexpr std::string_view kFileNotFound = "ファイルが見つかりません。";
inline constexpr std::string_view kPastEndOfFile = "ファイルにこれ以上データがありません。";

struct StartupFailure {
  std::string caption;      // "winprm.cfg", or the full path of WINFONT.cfg
  std::string description;  // the failure, then the file's path on its own line
};

// Reads WINPRM.cfg (records 1 and 5 kept as DataDir and ProgramDir), the
// first five records of WINFONT.cfg (read, not used) and winpage.cfg (the
// first and last page names) into `state`. `programFolder` is a native
// directory ending with "/"; names are found there without regard to case.
std::optional<StartupFailure> readViewerConfig(std::string_view programFolder, ViewerState& state);

}  // namespace kumi::viewer
