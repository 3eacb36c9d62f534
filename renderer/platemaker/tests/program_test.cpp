// The platemaker program itself, run as the workbench and batch callers run
// it: batch mode without any display, the windowed modes on the offscreen
// platform with message boxes logged.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "platform/process/process.h"
#include "renderer/platemaker/tests/run_folder.h"

namespace kumi::renderer {
namespace {

using testing::characterAt;
using testing::RunFolder;

uint32_t runPlatemaker(std::vector<std::string> args) {
  std::string error;
  auto child = platform::ChildProcess::start(KUMI_PLATEMAKER_PATH, args, &error);
  EXPECT_TRUE(child) << error;
  return child ? child->waitUntilEnded(3600) : 255;
}

// Runs with no display at all: creating a Qt application would abort.
class NoDisplay {
 public:
  NoDisplay() {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  ~NoDisplay() { ::setenv("QT_QPA_PLATFORM", "offscreen", 1); }
};

bool isEmf(const std::string& bytes) {
  // EMR_HEADER first, " EMF" at offset 40 ([MS-EMF] 2.2.9).
  return bytes.size() >= 88 && bytes[0] == 1 && bytes.compare(40, 4, " EMF") == 0;
}

TEST(PlatemakerProgram, BatchModeConvertsWithoutADisplay) {
  RunFolder f("program_batch");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 160, 320), characterAt("0002", 160, 320)});
  NoDisplay noDisplay;
  EXPECT_EQ(runPlatemaker({"2"}), 0u);
  EXPECT_TRUE(isEmf(f.read(f.dataDir() / "0001.emf")));
  EXPECT_TRUE(isEmf(f.read(f.dataDir() / "0002.emf")));
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"0001\"\r\n\"0002\"\r\n");
  EXPECT_EQ(f.messages(), "");
}

TEST(PlatemakerProgram, WithoutAnArgumentNothingHappens) {
  RunFolder f("program_no_argument");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 0, 0)});
  NoDisplay noDisplay;
  EXPECT_EQ(runPlatemaker({}), 0u);
  EXPECT_EQ(runPlatemaker({" "}), 0u);
  EXPECT_FALSE(std::filesystem::exists(f.programDir() / "winpage.cfg"));
  EXPECT_FALSE(std::filesystem::exists(f.dataDir() / "0001.emf"));
}

TEST(PlatemakerProgram, AMissingSettingsFileEndsWithStatus1) {
  RunFolder f("program_missing");
  f.writeSettings();
  std::filesystem::remove(f.programDir() / "WINKEI.cfg");
  NoDisplay noDisplay;
  EXPECT_EQ(runPlatemaker({"2"}), 1u);
  EXPECT_EQ(f.messages(), "WINKEI.CFG\tパスが見つかりません。\n");
}

TEST(PlatemakerProgram, TheWorkbenchModeAsksWhetherToPrint) {
  RunFolder f("program_ask");
  f.writeSettings('0');
  f.writeSkDat({characterAt("0001", 0, 0), characterAt("0002", 0, 0)});
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("KUMI_MSGBOX_ANSWER", "no", 1);
  EXPECT_EQ(runPlatemaker({"G"}), 0u);
  EXPECT_EQ(f.messages(), "編集ページ\t2 ページ編集しました。印刷しますか？\\n\n");
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"0001\"\r\n\"0002\"\r\n");
}

TEST(PlatemakerProgram, ModeOneWithDirectPrintingPrintsThenStartsTheViewer) {
  RunFolder f("program_print_view");
  f.writeSettings('1');
  f.writeSkDat({characterAt("0001", 0, 0)});
  f.writeProgram("sheetpress", "sleep 0.2; echo \"sheetpress $*\" >> order.txt");
  f.writeProgram("leafview", "echo \"leafview $*\" >> order.txt");
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_EQ(runPlatemaker({"1"}), 0u);
  const auto order = f.programDir() / "order.txt";
  for (int i = 0; i < 500 && f.read(order).find("leafview") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(f.read(order), "sheetpress 0001 0001 PR\nleafview G\n");
  EXPECT_EQ(f.messages(), "");
}

}  // namespace
}  // namespace kumi::renderer
