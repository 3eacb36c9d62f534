#include "renderer/platemaker/follow_up.h"

#include <cstdio>

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "platform/process/process.h"
#include "renderer/platemaker/run_mode.h"
#include "renderer/settings/settings_names.h"

namespace kumi::renderer {
namespace {

constexpr int kPrintWaitStepMs = 3600;

std::optional<platform::ChildProcess> startProgram(std::string_view programDir,
                                                   std::string_view exeName,
                                                   const std::vector<std::string>& args) {
  const std::string stored = std::string(programDir) + std::string(exeName);
  std::string error;
  auto child = platform::ChildProcess::start(settings::openablePath(stored), args, &error);
  if (!child) platform::messageBox(error, platform::cp932ToUtf8Lossy(stored));
  return child;
}

}  // namespace

FollowUp followUpFor(char runMode, const ConversionResult& result) {
  if (result.status != ConversionResult::Status::Converted) return FollowUp::Nothing;
  if (runMode == '\0' || runMode == kBatchMode) return FollowUp::Nothing;
  if (runMode == kViewerMode) return FollowUp::StartViewer;
  return result.settings.directPrint == '0' ? FollowUp::AskThenViewer : FollowUp::Nothing;
}

std::string printQuestion(int pageCount) {
  char text[96];
  std::snprintf(text, sizeof text, "%d ページ編集しました。印刷しますか？\n", pageCount);
  return text;
}

void runFollowUp(char runMode, const ConversionResult& result) {
  switch (followUpFor(runMode, result)) {
    case FollowUp::Nothing:
      return;
    case FollowUp::AskThenViewer:
      if (platform::messageBox(printQuestion(result.pageCount), "編集ページ",
                               platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes) {
        return;
      }
      [[fallthrough]];
    case FollowUp::StartViewer:
      startViewer(result.settings.programDir);
      return;
  }
}

bool startViewer(std::string_view programDir) {
  return startProgram(programDir, "leafview.exe", {"G"}).has_value();
}

bool runPrintProgram(std::string_view programDir, std::string_view firstPage,
                     std::string_view lastPage) {
  auto child = startProgram(programDir, "sheetpress.exe",
                            {std::string(firstPage), std::string(lastPage), "PR"});
  if (!child) return false;
  child->waitUntilEnded(kPrintWaitStepMs);
  return true;
}

}  // namespace kumi::renderer
