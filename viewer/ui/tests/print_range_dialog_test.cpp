#include "viewer/ui/print_range_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "viewer/ui/tests/ui_test_support.h"

namespace kumi::viewer {
namespace {

using testing::child;
using testing::RecordingLauncher;

struct RangeFixture : ::testing::Test {
  RangeFixture() {
    state.programDir = "/prog/";
    state.firstPage = "0001";
    state.lastPage = "0012";
    state.currentPage = 4;
    state.rangeEndNumber = 12;
  }
  ViewerState state;
  RecordingLauncher launcher;
};

TEST_F(RangeFixture, ProposesThePageOnScreenToTheEndAndPrintsIt) {
  PrintRangeDialog dialog(state, launcher, false);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "印刷範囲");
  EXPECT_EQ(dialog.size(), QSize(269, 162));
  EXPECT_TRUE(child<QRadioButton>(&dialog, "Option4")->isChecked());
  EXPECT_EQ(child<QLineEdit>(&dialog, "Text3")->text(), "4");
  EXPECT_EQ(child<QLineEdit>(&dialog, "Text4")->text(), "12");
  QTest::mouseClick(child<QPushButton>(&dialog, "Command1"), Qt::LeftButton);
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].text(), "/prog/sheetpress.exe 0004 0012 PR");
  EXPECT_EQ(state.rangeStart, "0004");
}

TEST_F(RangeFixture, AllPagesFillsTheRunsRange) {
  PrintRangeDialog dialog(state, launcher, false);
  QTest::mouseClick(child<QRadioButton>(&dialog, "Option3"), Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_EQ(child<QLineEdit>(&dialog, "Text3")->text(), "0001");
  EXPECT_EQ(child<QLineEdit>(&dialog, "Text4")->text(), "0012");
  QTest::mouseClick(child<QLineEdit>(&dialog, "Text4"), Qt::LeftButton);
  EXPECT_TRUE(child<QRadioButton>(&dialog, "Option4")->isChecked());
}

TEST_F(RangeFixture, EnterMovesTheFocusWithoutStarting) {
  PrintRangeDialog dialog(state, launcher, true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  dialog.activateWindow();
  auto* from = child<QLineEdit>(&dialog, "Text3");
  from->setFocus();
  QTest::keyClick(from, Qt::Key_Return);
  EXPECT_TRUE(child<QLineEdit>(&dialog, "Text4")->hasFocus());
  QTest::keyClick(child<QLineEdit>(&dialog, "Text4"), Qt::Key_Return);
  EXPECT_TRUE(child<QPushButton>(&dialog, "Command1")->hasFocus());
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace kumi::viewer
