#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "engine/tests/run_dir.h"
#include "samples/demo1/demo1_window.h"

namespace kumi::samples {
namespace {

TEST(Demo1Window, SampleButtonRunsTheSampleAndSaysSo) {
  int argc = 1;
  char name[] = "demo1_window_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  engine::testing::RunDirectory run("demo1_window");
  run.writeWinprm(run.windowsPath());
  CallSet set;
  Demo1Window window(set);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("さんぷる版-1"));
  EXPECT_EQ(window.sampleButton()->text(), QStringLiteral("サンプル"));
  EXPECT_EQ(window.endButton()->text(), QStringLiteral("終了"));
  EXPECT_TRUE(window.doneLabel()->text().isEmpty());
  QTest::mouseClick(window.sampleButton(), Qt::LeftButton);
  EXPECT_EQ(window.doneLabel()->text(), QStringLiteral("組版終了しました。"));
  EXPECT_TRUE(std::filesystem::exists(run.skDat()));
}

}  // namespace
}  // namespace kumi::samples
