#include "renderer/settings/settings_writer.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "renderer/settings/render_settings.h"
#include "renderer/settings/tests/test_support.h"

namespace kumi::settings {
namespace {

using testing::MessageLog;
using testing::ScratchDir;

ProgramPaths samplePaths() {
  ProgramPaths p;
  p.dataDir = "C:\\kumi\\data\\";
  p.clientProgram = "C:\\app\\client.exe";
  p.imageTool = "img";
  p.viewerProgram = "view";
  p.programDir = "C:\\kumi\\";
  p.pageEditProgram = "edit";
  p.devProgram = "dev";
  p.spreadsheetProgram = "sheet";
  return p;
}

TEST(FormatSettings, WritesTheFilesLineByLine) {
  EXPECT_EQ(*formatWinprm(samplePaths()),
            "3,\"C:\\kumi\\data\\\"\r\n4,\"C:\\app\\client.exe\"\r\n5,\"img\"\r\n1,\"view\"\r\n"
            "2,\"C:\\kumi\\\"\r\n7,\"edit\"\r\n6,\"dev\"\r\n8,\"sheet\"\r\n");
  EXPECT_EQ(*formatWinctl("1"), "\"1\"\r\n");
  std::array<std::string, 9> faces{"A", "", "C"};
  const std::string fonts = *formatWinfont(faces);
  EXPECT_TRUE(fonts.starts_with("\"F1\",\"A\"\r\n\"F2\",\"\"\r\n\"F3\",\"C\"\r\n\"F4\",\"\"")) << fonts;
  EXPECT_TRUE(fonts.ends_with("\"F8\",\"\"\r\n\"F9\",\"\"\r\n")) << fonts;
  EXPECT_EQ(*formatWincolor({"00ff80", "", "", "", "", "", ""}),
            "\"00ff80\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
}

TEST(FormatSettings, RefusesValuesTheSyntaxCannotHold) {
  for (const char* bad : {"a\"b", "a\r\nb", "a\nb"}) {
    ProgramPaths p = samplePaths();
    p.devProgram = bad;
    EXPECT_FALSE(formatWinprm(p)) << bad;
    EXPECT_FALSE(formatWinctl(bad));
  }
}

TEST(WriteSettings, WhatTheWorkbenchWritesTheRendererReadsBack) {
  ScratchDir dir("write_settings_roundtrip");
  MessageLog log;
  const std::string d = dir.stored();
  ASSERT_TRUE(writeWinprm(d, samplePaths()).ok);
  ASSERT_TRUE(writeWinctl(d, "0").ok);
  ASSERT_TRUE(writeWinfont(d, {"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9"}).ok);
  ASSERT_TRUE(writeWincolor(d, {"0000ff", "00ff00", "ff0000", "", "", "", "808080"}).ok);
  ASSERT_TRUE(writeWinkei(d, {"1", "2", "3", "4", "5", "6", "7", "8", "15"}).ok);

  RenderSettings s;
  ASSERT_TRUE(loadRenderSettings(PageMode::Standard, s, d).ok);
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(s.dataDir, "C:\\kumi\\data\\");
  EXPECT_EQ(s.programDir, "C:\\kumi\\");
  EXPECT_EQ(s.directPrint, '0');
  EXPECT_EQ(s.fontFaces[8], "f9");
  EXPECT_EQ(s.userColors[0], (Rgb{255, 0, 0}));
  EXPECT_EQ(s.userColors[2], (Rgb{0, 0, 255}));
  EXPECT_EQ(s.userColors[6], (Rgb{128, 128, 128}));
  EXPECT_EQ(s.ruleWidths, (std::array<int32_t, 8>{10, 20, 30, 40, 50, 60, 70, 80}));
  EXPECT_EQ(s.twipsPerPixel, 15);
  EXPECT_EQ(dir.fileCount(), 5u);  // no temporary file left behind
}

TEST(WriteSettings, ReplacesAFileUnderItsOwnSpellingAndKeepsItsMode) {
  ScratchDir dir("write_settings_replace");
  dir.write("winctl.cfg", "\"1\"\r\n");
  ::chmod((dir.path() / "winctl.cfg").c_str(), 0640);
  ASSERT_TRUE(writeWinctl(dir.stored(), "0").ok);
  EXPECT_EQ(dir.read("winctl.cfg"), "\"0\"\r\n");
  EXPECT_FALSE(dir.exists("WINCTL.cfg"));
  struct stat st {};
  ASSERT_EQ(::stat((dir.path() / "winctl.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteSettings, ANewFileTakesTheProcessUmaskAndLeavesItAsItWas) {
  ScratchDir dir("write_settings_umask");
  const mode_t before = ::umask(027);
  ASSERT_TRUE(writeWinctl(dir.stored(), "0").ok);
  const mode_t after = ::umask(before);
  EXPECT_EQ(after, 027u);
  struct stat st {};
  ASSERT_EQ(::stat((dir.path() / "WINCTL.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteSettings, AFailedWriteLeavesTheOldFile) {
  ScratchDir dir("write_settings_failed");
  dir.write("WINCTL.cfg", "\"1\"\r\n");
  const WriteResult bad = writeWinctl(dir.stored(), "\"");
  EXPECT_FALSE(bad.ok);
  EXPECT_FALSE(bad.error.empty());
  EXPECT_EQ(dir.read("WINCTL.cfg"), "\"1\"\r\n");

  const WriteResult nowhere = writeWinctl(dir.stored() + "missing/", "0");
  EXPECT_FALSE(nowhere.ok);
  EXPECT_NE(nowhere.error.find("missing"), std::string::npos);
  EXPECT_EQ(dir.fileCount(), 1u);
}

}  // namespace
}  // namespace kumi::settings
