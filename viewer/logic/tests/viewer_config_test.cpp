#include "viewer/logic/viewer_config.h"

#include <gtest/gtest.h>

#include "platform/base/cp932.h"

#include "viewer/logic/tests/test_support.h"

namespace kumi::viewer {
namespace {

using testing::ScratchDir;

TEST(ViewerArgument, MustBeExactlyG) {
  EXPECT_TRUE(isViewerArgument({"G"}));
  EXPECT_TRUE(isViewerArgument({" G "}));
  EXPECT_FALSE(isViewerArgument({}));
  EXPECT_FALSE(isViewerArgument({"g"}));
  EXPECT_FALSE(isViewerArgument({"G", "G"}));
  EXPECT_FALSE(isViewerArgument({"G G"}));
  EXPECT_FALSE(isViewerArgument({"GG"}));
}

// A program folder with WINPRM.cfg naming `programDir` (record 5) and a
// data folder (record 1), WINFONT.cfg, and winpage.cfg in `programDir`.
void writeSettings(const ScratchDir& dir, const std::string& programDir) {
  dir.write("WINPRM.cfg", "3,\"C:\\DATA\\\"\r\n4,\"client\"\r\n5,\"tool\"\r\n1,\"view\"\r\n2,\"" +
                              programDir + "\"\r\n7,\"edit\"\r\n6,\"dev\"\r\n8,\"sheet\"\r\n");
  std::string fonts;
  for (int i = 1; i <= 9; ++i) fonts += "\"F" + std::to_string(i) + "\",\"ＭＳ 明朝\"\r\n";
  dir.write("WINFONT.cfg", fonts);
}

TEST(ReadViewerConfig, KeepsRecordsOneAndFiveAndThePageRange) {
  ScratchDir dir("config_ok");
  writeSettings(dir, dir.folder());
  dir.write("winpage.cfg", "\"0003\"\r\n\"0010\"\r\n");
  ViewerState state;
  EXPECT_FALSE(readViewerConfig(dir.folder(), state).has_value());
  EXPECT_EQ(state.dataDir, "C:\\DATA\\");
  EXPECT_EQ(state.programDir, dir.folder());
  EXPECT_EQ(state.firstPage, "0003");
  EXPECT_EQ(state.lastPage, "0010");
}

TEST(ReadViewerConfig, AProgramFolderWithoutItsClosingSeparatorIsStillThatFolder) {
  ScratchDir dir("config_open");
  std::string folder = dir.folder();
  folder.pop_back();  // "/…/config_open", no "/"
  writeSettings(dir, folder);
  dir.write("winpage.cfg", "\"0003\"\r\n\"0010\"\r\n");
  ViewerState state;
  EXPECT_FALSE(readViewerConfig(dir.folder(), state).has_value());
  EXPECT_EQ(state.programDir, folder + "\\");
  EXPECT_EQ(state.firstPage, "0003");
}

TEST(ReadViewerConfig, FindsNamesWithoutRegardToCaseAndKeepsFourCharacters) {
  ScratchDir dir("config_case");
  writeSettings(dir, dir.folder());
  std::filesystem::rename(dir.folder() + "WINPRM.cfg", dir.folder() + "winprm.CFG");
  dir.write("WINPAGE.CFG", "\"12345\"\r\n\"7\"\r\n");
  ViewerState state;
  EXPECT_FALSE(readViewerConfig(dir.folder(), state).has_value());
  EXPECT_EQ(state.firstPage, "1234");
  EXPECT_EQ(state.lastPage, "7   ");
}

TEST(ReadViewerConfig, FindsThePageRangeInAProgramFolderWithAJapaneseName) {
  // The settings hold the folder in CP932; it is opened as the same folder.
  ScratchDir dir("config_japanese");
  const std::string programDir = dir.folder() + "印刷ユーザ/";
  std::filesystem::create_directories(programDir);
  writeSettings(dir, platform::utf8ToCp932(programDir).value());
  std::ofstream(programDir + "winpage.cfg", std::ios::binary) << "\"0002\"\r\n\"0005\"\r\n";
  ViewerState state;
  EXPECT_FALSE(readViewerConfig(dir.folder(), state).has_value());
  EXPECT_EQ(state.programDir, programDir);
  EXPECT_EQ(state.firstPage, "0002");
  EXPECT_EQ(state.lastPage, "0005");
}

TEST(ReadViewerConfig, ReportsEachFileAsTheUserKnowsIt) {
  // Each case spoils one file of a good setup; the caption names the file
  // being read, and from WINFONT.cfg on it is that file's full path.
  struct Case {
    const char* what;
    void (*spoil)(const ScratchDir&);
    bool fontCaption;
    std::string_view why;
  };
  const Case cases[] = {
      {"no WINPRM", [](const ScratchDir& d) { std::filesystem::remove(d.folder() + "WINPRM.cfg"); },
       false, kFileNotFound},
      {"short WINPRM", [](const ScratchDir& d) { d.write("WINPRM.cfg", "3,\"a\"\r\n4,\"b\"\r\n"); },
       false, kPastEndOfFile},
      {"no WINFONT", [](const ScratchDir& d) { std::filesystem::remove(d.folder() + "WINFONT.cfg"); },
       true, kFileNotFound},
      {"short WINFONT", [](const ScratchDir& d) { d.write("WINFONT.cfg", "\"F1\",\"a\"\r\n"); },
       true, kPastEndOfFile},
      {"no winpage", [](const ScratchDir& d) { std::filesystem::remove(d.folder() + "winpage.cfg"); },
       true, kFileNotFound},
      {"one-line winpage", [](const ScratchDir& d) { d.write("winpage.cfg", "\"0001\"\r\n"); },
       true, kPastEndOfFile},
  };
  for (const Case& c : cases) {
    ScratchDir dir("config_fail");
    writeSettings(dir, dir.folder());
    dir.write("winpage.cfg", "\"0001\"\r\n\"0002\"\r\n");
    c.spoil(dir);
    ViewerState state;
    const auto failure = readViewerConfig(dir.folder(), state);
    ASSERT_TRUE(failure.has_value()) << c.what;
    EXPECT_EQ(failure->caption, c.fontCaption ? dir.folder() + "WINFONT.cfg" : "winprm.cfg") << c.what;
    EXPECT_EQ(failure->description.substr(0, c.why.size()), c.why) << c.what;
  }
}

}  // namespace
}  // namespace kumi::viewer
