#include "viewer/logic/output_panel.h"

#include "platform/base/message_box.h"
#include "viewer/logic/page_names.h"

namespace kumi::viewer {
namespace {

constexpr std::string_view kStartFailureCaption = "エラー";

}  // namespace

bool startPrintJob(ViewerState& state, ProgramLauncher& launcher, std::string& error) {
  Command command{state.programDir + "sheetpress.exe", {state.rangeStart, state.rangeEnd, "PR"}};
  state.lastCommand = command.text();
  return launcher.start(command, error);
}

OutputPanel::StartResult OutputPanel::start(const StartChoice& choice) {
  StartResult result;
  auto fail = [&](std::string_view why) {
    platform::messageBox(why, kStartFailureCaption);
    result.openPreview = false;
    result.failed = true;
    return result;
  };

  state_.stopRequested = 0;
  state_.directPrintChoice = choice.directPrint ? 1 : 0;
  if (choice.allPages) {
    state_.rangeStart = state_.firstPage;
    state_.rangeEnd = state_.lastPage;
    const StrictReading first = strictNumber(state_.firstPage);
    if (!first.value) return fail(first.failure);
    state_.currentPage = *first.value;
    const StrictReading last = strictNumber(state_.lastPage);
    if (!last.value) return fail(last.failure);
    state_.rangeEndNumber = *last.value;
    result.emptyRangeBoxes = true;
  } else {
    // The typed range is not compared with the run's pages.
    state_.rangeStart = fourCharField(choice.from);
    state_.rangeEnd = fourCharField(choice.to);
    result.selectPageRange = true;
  }
  state_.rangeStart = formatPageName(leadingNumber(state_.rangeStart));
  state_.rangeEnd = formatPageName(leadingNumber(state_.rangeEnd));

  if (state_.directPrintChoice == 1) {
    std::string error;
    if (!startPrintJob(state_, launcher_, error)) return fail(error);
    return result;
  }
  const StrictReading start = strictNumber(state_.rangeStart);
  if (!start.value) return fail(start.failure);
  state_.currentPage = *start.value;
  const StrictReading end = strictNumber(state_.rangeEnd);
  if (!end.value) return fail(end.failure);
  state_.rangeEndNumber = *end.value;
  result.openPreview = true;
  return result;
}

std::string OutputPanel::statusText() const {
  return state_.stopRequested != 0 ? "印刷中止" : "印刷終了";
}

bool OutputPanel::launch(Command command) {
  state_.lastCommand = command.text();
  std::string error;
  if (launcher_.start(command, error)) return true;
  platform::messageBox(error, state_.lastCommand);
  return false;
}

void OutputPanel::typesettingInfo() {
  if (!launch({state_.programDir + "lbpsend.exe", {}})) return;
  // The report opens in the desktop's text viewer, shown as the classic one.
  launch({"\\Program Files\\Accessories\\WORDPAD.EXE", {state_.programDir + "chohyo.dat"}, true});
}

void OutputPanel::lipsOutput() {
  if (!launch({state_.programDir + "laserprep", {}})) return;
  const auto answer = platform::messageBox("レーザショット(LIPS)出力しますか?", "確認メッセージ",
                                           platform::MsgButtons::YesNo, platform::MsgIcon::Question);
  if (answer == platform::MsgAnswer::Yes) launch({state_.programDir + "laserfeed", {}});
}

}  // namespace kumi::viewer
