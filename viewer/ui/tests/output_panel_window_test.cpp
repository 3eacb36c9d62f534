#include "viewer/ui/output_panel_window.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "viewer/ui/preview_window.h"
#include "viewer/ui/tests/ui_test_support.h"

namespace kumi::viewer {
namespace {

using testing::child;
using testing::FakePageSource;
using testing::MessageLog;
using testing::RecordingLauncher;

struct PanelFixture : ::testing::Test {
  PanelFixture() {
    state.dataDir = "/data/";
    state.programDir = "/prog/";
    state.firstPage = "0003";
    state.lastPage = "0010";
    for (int p = 1; p <= 12; ++p) {
      pages.add("/data/" + std::string(p < 10 ? "000" : "00") + std::to_string(p) + ".emf");
    }
    panel.runPreview = [this](QDialog& preview) {
      preview.show();
      if (!QTest::qWaitFor([&] { return !preview.isVisible() || static_cast<PreviewWindow&>(preview).loaded(); })) {
        return -1;
      }
      if (!preview.isVisible()) return preview.result();
      previewCaption = preview.windowTitle().toStdString();
      preview.accept();
      return preview.result();
    };
  }
  template <class T>
  T* get(const char* name) { return child<T>(&panel, name); }
  void click(const char* button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }

  ViewerState state;
  FakePageSource pages;
  RecordingLauncher launcher;
  OutputPanelWindow panel{state, pages, launcher};
  std::string previewCaption;
};

TEST_F(PanelFixture, EveryControlStandsAtItsPlace) {
  // At 15 twips a pixel: the client area is 4920 x 4575 twips.
  EXPECT_EQ(panel.size(), QSize(328, 305));
  EXPECT_EQ(panel.windowTitle().toStdString(), "印刷出力");
  struct Case { const char* name; QRect where; bool shown; };
  const Case cases[] = {
      {"Frame1", {16, 16, 169, 73}, true},   {"Frame2", {16, 112, 169, 177}, true},
      {"Option1", {24, 16, 129, 20}, true},  {"Option2", {24, 48, 129, 20}, true},
      {"Option5", {24, 80, 129, 20}, false}, {"Option3", {24, 32, 129, 20}, true},
      {"Option4", {24, 64, 129, 20}, true},  {"Text3", {32, 96, 49, 22}, true},
      {"Text4", {32, 136, 49, 22}, true},    {"Cmd6", {216, 24, 97, 25}, true},
      {"Cmd9", {216, 60, 97, 25}, true},     {"Cmd8", {216, 96, 97, 25}, true},
      {"Cmd4", {216, 132, 97, 25}, true},    {"Cmd7", {216, 224, 97, 25}, false},
      {"Cmd10", {216, 256, 97, 25}, false},  {"Cmd3", {220, 268, 97, 25}, false},
      {"Cmd1", {200, 312, 97, 25}, false},   {"Frame3", {216, 312, 97, 73}, false},
  };
  for (const Case& c : cases) {
    QWidget* w = get<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), c.where) << c.name;
    EXPECT_EQ(!w->isHidden(), c.shown) << c.name;
  }
  EXPECT_TRUE(get<QLabel>("Label1")->isHidden());
  EXPECT_TRUE(get<QLabel>("Label5")->isHidden());
  EXPECT_EQ(get<QLineEdit>("Text1")->text(), "5");
  EXPECT_EQ(get<QLineEdit>("Text2")->text(), "5");
  EXPECT_TRUE(get<QRadioButton>("Option2")->isChecked());
  EXPECT_TRUE(get<QRadioButton>("Option3")->isChecked());
}

TEST_F(PanelFixture, EnterMovesTheFocusOn) {
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.activateWindow();
  QTest::mouseClick(get<QRadioButton>("Option4"), Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_TRUE(get<QLineEdit>("Text3")->hasFocus());
  QTest::keyClick(get<QLineEdit>("Text3"), Qt::Key_Return);
  EXPECT_TRUE(get<QLineEdit>("Text4")->hasFocus());
  QTest::keyClick(get<QLineEdit>("Text4"), Qt::Key_Enter);
  EXPECT_TRUE(get<QPushButton>("Cmd6")->hasFocus());
  EXPECT_TRUE(launcher.started.empty());  // focus only: nothing was pressed
  QTest::keyClick(get<QLineEdit>("Text1"), Qt::Key_Return);
  EXPECT_TRUE(get<QLineEdit>("Text2")->hasFocus());
}

TEST_F(PanelFixture, ClickingARangeBoxSelectsTheTypedRange) {
  QTest::mouseClick(get<QLineEdit>("Text4"), Qt::LeftButton);
  EXPECT_TRUE(get<QRadioButton>("Option4")->isChecked());
  EXPECT_FALSE(get<QRadioButton>("Option3")->isChecked());
}

TEST_F(PanelFixture, DirectPrintingStartsThePrintProgram) {
  get<QRadioButton>("Option1")->setChecked(true);
  get<QRadioButton>("Option4")->setChecked(true);
  get<QLineEdit>("Text3")->setText("1");
  get<QLineEdit>("Text4")->setText("12");
  click("Cmd6");
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].text(), "/prog/sheetpress.exe 0001 0012 PR");
  EXPECT_EQ(get<QLabel>("Label1")->text().toStdString(), "印刷終了");
}

TEST_F(PanelFixture, AllPagesPreviewsTheRunAndEmptiesTheBoxes) {
  get<QLineEdit>("Text3")->setText("5");
  click("Cmd6");
  EXPECT_EQ(previewCaption, "印刷プレビュー       　現在ページ  [ 3 ]  最終ページ  [ 10 ]");
  EXPECT_EQ(pages.loads.front(), "/data/0003.emf");
  EXPECT_EQ(get<QLineEdit>("Text3")->text(), "");
}

TEST_F(PanelFixture, AMissingFirstPageEndsTheProgram) {
  MessageLog log;
  panel.show();
  get<QRadioButton>("Option4")->setChecked(true);  // both boxes empty: page 0000
  click("Cmd6");
  EXPECT_EQ(pages.loads, std::vector<std::string>{"/data/0000.emf"});
  EXPECT_EQ(log.lines(), std::vector<std::string>{"エラー1\tファイルが見つかりません。"});
  EXPECT_EQ(panel.exitStatus(), 1);
  EXPECT_FALSE(panel.isVisible());
}

TEST_F(PanelFixture, AFailedStartOfTheReportProgramNamesItsCommand) {
  MessageLog log;
  launcher.failWith = "cannot start";
  click("Cmd9");
  EXPECT_EQ(log.lines(), std::vector<std::string>{"/prog/lbpsend.exe\tcannot start"});
}

TEST_F(PanelFixture, TheClipboardButtonKeepsTheChosenFile) {
  int copies = 0;
  panel.chooseMetafile = [](QWidget*) { return std::optional<QString>("/tmp/a page.emf"); };
  panel.openCopyWindow = [&](QWidget*) { ++copies; };
  click("Cmd3");
  EXPECT_EQ(state.currentFile, "/tmp/a page.emf");
  EXPECT_EQ(copies, 1);
  panel.chooseMetafile = [](QWidget*) { return std::optional<QString>(); };
  click("Cmd3");
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PanelFixture, StopMarksTheRequestForTheStatus) {
  get<QRadioButton>("Option1")->setChecked(true);
  click("Cmd7");
  EXPECT_EQ(state.stopRequested, 1);
  click("Cmd6");  // the start clears it again
  EXPECT_EQ(get<QLabel>("Label1")->text().toStdString(), "印刷終了");
}

}  // namespace
}  // namespace kumi::viewer
