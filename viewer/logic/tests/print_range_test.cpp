#include "viewer/logic/print_range.h"

#include <gtest/gtest.h>

#include "viewer/logic/tests/test_support.h"

namespace kumi::viewer {
namespace {

using testing::MessageLog;
using testing::RecordingLauncher;

ViewerState onPage4Of1To12() {
  ViewerState s;
  s.programDir = "C:\\PROG\\";
  s.firstPage = "0001";
  s.lastPage = "0020";
  s.rangeStart = "0001";
  s.rangeEnd = "0012";
  s.currentPage = 4;
  s.rangeEndNumber = 12;
  return s;
}

TEST(PrintRangeForm, ProposesThePageOnScreenToTheEnd) {
  ViewerState state = onPage4Of1To12();
  RecordingLauncher launcher;
  PrintRangeForm form(state, launcher);
  const PrintRangeFields f = form.load(false);
  EXPECT_FALSE(f.allPages);
  EXPECT_EQ(f.from, "4");
  EXPECT_EQ(f.to, "12");
  EXPECT_TRUE(form.load(true).allPages);
  form.start(f);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].text(), "C:\\PROG\\sheetpress.exe 0004 0012 PR");
  EXPECT_EQ(state.rangeStart, "0004");
  EXPECT_EQ(state.rangeEnd, "0012");
  EXPECT_EQ(state.directPrintChoice, 1);
}

TEST(PrintRangeForm, AllPagesPrintsTheRunAndBecomesThePreviewsRange) {
  ViewerState state = onPage4Of1To12();
  RecordingLauncher launcher;
  PrintRangeForm form(state, launcher);
  const PrintRangeFields shown = form.start({true, "4", "12"});
  EXPECT_EQ(shown.from, "0001");
  EXPECT_EQ(shown.to, "0020");
  EXPECT_EQ(launcher.started.at(0).text(), "C:\\PROG\\sheetpress.exe 0001 0020 PR");
  EXPECT_EQ(state.rangeEnd, "0020");
  const PrintRangeFields chosen = form.chooseAll({false, "", ""});
  EXPECT_EQ(chosen.from, "0001");
  EXPECT_FALSE(chosen.allPages);
}

TEST(PrintRangeForm, APrintProgramThatCannotStartIsReportedWithItsCommand) {
  MessageLog log;
  ViewerState state = onPage4Of1To12();
  RecordingLauncher launcher;
  launcher.failWith = "no such program";
  PrintRangeForm form(state, launcher);
  form.start({false, "2", "3"});
  EXPECT_EQ(log.lines(),
            std::vector<std::string>{"C:\\PROG\\sheetpress.exe 0002 0003 PR\tno such program"});
}

}  // namespace
}  // namespace kumi::viewer
