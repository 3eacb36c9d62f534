// What follows a run: the question and the viewer.
#include "renderer/platemaker/follow_up.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "renderer/platemaker/tests/run_folder.h"

namespace kumi::renderer {
namespace {

using testing::RunFolder;
using Status = ConversionResult::Status;

ConversionResult converted(char directPrint, Status status = Status::Converted) {
  ConversionResult r;
  r.status = status;
  r.settings.directPrint = directPrint;
  return r;
}

TEST(FollowUpFor, DependsOnTheRunModeAndDirectPrinting) {
  struct Case { char mode; char direct; Status status; FollowUp expected; } cases[] = {
      {'G', '0', Status::Converted, FollowUp::AskThenViewer},
      {'x', '0', Status::Converted, FollowUp::AskThenViewer},
      {'G', '1', Status::Converted, FollowUp::Nothing},
      {'G', '7', Status::Converted, FollowUp::Nothing},  // neither asking nor printing
      {'1', '0', Status::Converted, FollowUp::StartViewer},
      {'1', '1', Status::Converted, FollowUp::StartViewer},
      {'2', '0', Status::Converted, FollowUp::Nothing},
      {'G', '0', Status::PrinterError, FollowUp::Nothing},
      {'1', '0', Status::PrinterError, FollowUp::Nothing},
      {'\0', '0', Status::Converted, FollowUp::Nothing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(followUpFor(c.mode, converted(c.direct, c.status)), c.expected)
        << c.mode << " " << c.direct;
  }
}

TEST(FollowUp, AsksWithThePageCount) {
  EXPECT_EQ(printQuestion(0), "0 ページ編集しました。印刷しますか？\n");
  EXPECT_EQ(printQuestion(12), "12 ページ編集しました。印刷しますか？\n");
}

bool appears(const std::filesystem::path& p) {
  // The viewer is not waited for; give it time to write its mark.
  for (int i = 0; i < 500 && !std::filesystem::exists(p); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::filesystem::exists(p);
}

TEST(FollowUp, YesStartsTheViewerWithG) {
  RunFolder f("ask_yes");
  f.writeProgram("leafview", "printf '%s' \"$*\" > viewer.tmp; mv viewer.tmp viewer.txt");
  ConversionResult r = converted('0');
  r.pageCount = 2;
  r.settings.programDir = f.storedProgramDir();
  ::setenv("KUMI_MSGBOX_ANSWER", "yes", 1);
  runFollowUp('G', r);
  EXPECT_EQ(f.messages(), "編集ページ\t2 ページ編集しました。印刷しますか？\\n\n");
  ASSERT_TRUE(appears(f.programDir() / "viewer.txt"));
  EXPECT_EQ(f.read(f.programDir() / "viewer.txt"), "G");
}

TEST(FollowUp, AViewerThatCannotStartIsReported) {
  RunFolder f("no_viewer");
  ConversionResult r = converted('0');
  r.settings.programDir = f.storedProgramDir();
  runFollowUp('1', r);
  EXPECT_NE(f.messages().find(f.storedProgramDir() + "leafview.exe\t"), std::string::npos)
      << f.messages();
}

}  // namespace
}  // namespace kumi::renderer
