#include "viewer/logic/output_panel.h"

#include <gtest/gtest.h>

#include "viewer/logic/tests/test_support.h"

namespace kumi::viewer {
namespace {

using testing::MessageLog;
using testing::RecordingLauncher;

ViewerState runOf(const char* first, const char* last) {
  ViewerState s;
  s.programDir = "C:\\PROG\\";
  s.dataDir = "C:\\DATA\\";
  s.firstPage = first;
  s.lastPage = last;
  return s;
}

TEST(OutputPanel, ATypedRangeOpensThePreviewOnItsFirstPage) {
  ViewerState state = runOf("0001", "0020");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  const auto r = panel.start({.directPrint = false, .allPages = false, .from = "1", .to = "12"});
  EXPECT_TRUE(r.openPreview);
  EXPECT_TRUE(r.selectPageRange);
  EXPECT_FALSE(r.emptyRangeBoxes);
  EXPECT_EQ(state.rangeStart, "0001");
  EXPECT_EQ(state.rangeEnd, "0012");
  EXPECT_EQ(state.currentPage, 1);
  EXPECT_EQ(state.rangeEndNumber, 12);
  EXPECT_EQ(state.directPrintChoice, 0);
  EXPECT_TRUE(launcher.started.empty());
}

TEST(OutputPanel, DirectPrintingStartsThePrintProgramWithTheRange) {
  ViewerState state = runOf("0001", "0020");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  const auto r = panel.start({.directPrint = true, .allPages = false, .from = "1", .to = "12"});
  EXPECT_FALSE(r.openPreview);
  EXPECT_FALSE(r.failed);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].program, "C:\\PROG\\sheetpress.exe");
  EXPECT_EQ(launcher.started[0].args, (std::vector<std::string>{"0001", "0012", "PR"}));
  EXPECT_EQ(state.lastCommand, "C:\\PROG\\sheetpress.exe 0001 0012 PR");
  EXPECT_EQ(state.directPrintChoice, 1);
}

TEST(OutputPanel, TypedNamesAreCutToFourCharactersThenNormalised) {
  struct Case { const char* from; const char* to; const char* start; const char* end; };
  const Case cases[] = {{"12345", "2.5", "1234", "02.5"},
                        {"", "", "0000", "0000"},
                        {"  3", "x", "0003", "0000"},
                        {"-7", "007", "0007", "0007"}};
  for (const Case& c : cases) {
    ViewerState state = runOf("0001", "0020");
    RecordingLauncher launcher;
    OutputPanel panel(state, launcher);
    panel.start({.directPrint = false, .allPages = false, .from = c.from, .to = c.to});
    EXPECT_EQ(state.rangeStart, c.start) << c.from;
    EXPECT_EQ(state.rangeEnd, c.end) << c.to;
  }
}

TEST(OutputPanel, AllPagesTakesTheRunsRangeAndEmptiesTheBoxes) {
  ViewerState state = runOf("0003", "0010");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  const auto r = panel.start({.directPrint = false, .allPages = true, .from = "5", .to = "6"});
  EXPECT_TRUE(r.openPreview);
  EXPECT_TRUE(r.emptyRangeBoxes);
  EXPECT_EQ(state.rangeStart, "0003");
  EXPECT_EQ(state.rangeEnd, "0010");
  EXPECT_EQ(state.currentPage, 3);
  EXPECT_EQ(state.rangeEndNumber, 10);
}

TEST(OutputPanel, ARunWithoutPageNumbersFailsWithTheCaptionError) {
  MessageLog log;
  ViewerState state = runOf("    ", "0010");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  const auto r = panel.start({.directPrint = false, .allPages = true, .from = "", .to = ""});
  EXPECT_TRUE(r.failed);
  EXPECT_FALSE(r.openPreview);
  EXPECT_FALSE(r.emptyRangeBoxes);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"エラー\t型が一致しません。"}));
}

TEST(OutputPanel, APrintProgramThatCannotStartIsReported) {
  MessageLog log;
  ViewerState state = runOf("0001", "0002");
  RecordingLauncher launcher;
  launcher.failWith = "sheetpress: No such file or directory";
  OutputPanel panel(state, launcher);
  EXPECT_TRUE(panel.start({.directPrint = true, .allPages = true, .from = "", .to = ""}).failed);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"エラー\tsheetpress: No such file or directory"}));
}

TEST(OutputPanel, StatusTellsWhetherStopWasAsked) {
  ViewerState state = runOf("0001", "0002");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  panel.requestStop();
  EXPECT_EQ(panel.statusText(), "印刷中止");
  panel.start({.directPrint = false, .allPages = true, .from = "", .to = ""});
  EXPECT_EQ(panel.statusText(), "印刷終了");
}

TEST(OutputPanel, TypesettingInfoStartsTheReportProgramThenShowsTheReport) {
  ViewerState state = runOf("0001", "0002");
  RecordingLauncher launcher;
  OutputPanel panel(state, launcher);
  panel.typesettingInfo();
  ASSERT_EQ(launcher.started.size(), 2u);
  EXPECT_EQ(launcher.started[0].text(), "C:\\PROG\\lbpsend.exe");
  EXPECT_TRUE(launcher.started[1].desktopOpen);
  EXPECT_EQ(launcher.started[1].args, std::vector<std::string>{"C:\\PROG\\chohyo.dat"});
  EXPECT_EQ(state.lastCommand, "\\Program Files\\Accessories\\WORDPAD.EXE C:\\PROG\\chohyo.dat");
}

TEST(OutputPanel, AFailedStartIsCaptionedWithItsCommandLineAndStopsTheButton) {
  MessageLog log;
  ViewerState state = runOf("0001", "0002");
  RecordingLauncher launcher;
  launcher.failWith = "cannot start";
  OutputPanel panel(state, launcher);
  panel.typesettingInfo();
  EXPECT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"C:\\PROG\\lbpsend.exe\tcannot start"}));
}

TEST(OutputPanel, LipsOutputAsksBeforeTheSecondProgram) {
  for (const char* answer : {"yes", "no"}) {
    MessageLog log(answer);
    ViewerState state = runOf("0001", "0002");
    RecordingLauncher launcher;
    OutputPanel panel(state, launcher);
    panel.lipsOutput();
    EXPECT_EQ(log.lines(),
              (std::vector<std::string>{"確認メッセージ\tレーザショット(LIPS)出力しますか?"}));
    const bool yes = std::string(answer) == "yes";
    ASSERT_EQ(launcher.started.size(), yes ? 2u : 1u);
    EXPECT_EQ(launcher.started[0].program, "C:\\PROG\\laserprep");
    if (yes) {
      EXPECT_EQ(state.lastCommand, "C:\\PROG\\laserfeed");
    }
  }
}

TEST(StartPrintJob, StartsTheProgramBesideTheSettingsWithoutItsExtension) {
  // The print program here is a script that writes down its arguments.
  testing::ScratchDir dir("print_job");
  const std::string out = dir.folder() + "args.txt";
  dir.write("sheetpress", "#!/bin/sh\necho \"$@\" > " + out + ".part && mv " + out + ".part " + out + "\n");
  std::filesystem::permissions(dir.folder() + "sheetpress", std::filesystem::perms::owner_all);
  ViewerState state = runOf("0001", "0002");
  state.programDir = dir.folder();
  state.rangeStart = "0004";
  state.rangeEnd = "0012";
  ProcessLauncher launcher;
  std::string error;
  ASSERT_TRUE(startPrintJob(state, launcher, error)) << error;
  EXPECT_EQ(state.lastCommand, dir.folder() + "sheetpress.exe 0004 0012 PR");
  for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i) ::usleep(10000);
  std::ifstream in(out);
  std::string args;
  std::getline(in, args);
  EXPECT_EQ(args, "0004 0012 PR");
}

TEST(StartPrintJob, AMissingProgramIsAFailure) {
  testing::ScratchDir dir("print_job_missing");
  ViewerState state = runOf("0001", "0002");
  state.programDir = dir.folder();
  ProcessLauncher launcher;
  std::string error;
  EXPECT_FALSE(startPrintJob(state, launcher, error));
  EXPECT_NE(error.find("sheetpress"), std::string::npos);
}

}  // namespace
}  // namespace kumi::viewer
