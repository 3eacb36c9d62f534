#include "renderer/settings/render_settings.h"

#include <sstream>

#include <gtest/gtest.h>

#include "platform/base/cp932.h"
#include "renderer/settings/settings_names.h"
#include "renderer/settings/tests/test_support.h"

namespace kumi::settings {
namespace {

using testing::MessageLog;
using testing::ScratchDir;

RenderSettings read(void (*reader)(std::istream&, RenderSettings&), const std::string& text) {
  std::istringstream in(text);
  RenderSettings s;
  reader(in, s);
  return s;
}

TEST(ReadWinprm, TakesKeys2And3WhereverTheyStand) {
  const std::string inOrder =
      "3,\"C:\\kumi\\data\\\"\r\n4,\"C:\\app\\client.exe\"\r\n5,\"\"\r\n1,\"\"\r\n"
      "2,\"C:\\kumi\\\"\r\n7,\"\"\r\n6,\"\"\r\n8,\"\"\r\n";
  const std::string swapped = "2,\"C:\\kumi\\\"\r\n3,\"C:\\kumi\\data\\\"\r\n";
  for (const std::string& text : {inOrder, swapped}) {
    const RenderSettings s = read(readWinprm, text);
    EXPECT_EQ(s.programDir, "C:\\kumi\\");
    EXPECT_EQ(s.dataDir, "C:\\kumi\\data\\");
  }
  // A later line with the same key wins; a key line too short is an empty value.
  EXPECT_EQ(read(readWinprm, "3,\"a\\\"\r\n3,\"b\\\"\r\n").dataDir, "b\\");
  EXPECT_EQ(read(readWinprm, "3,\"a\\\"\r\n3\r\n").dataDir, "");
  // A folder written without its closing separator gets one: names join onto it.
  const RenderSettings open = read(readWinprm, "2,\"C:\\kumi\"\r\n3,\"C:\\kumi\\data\"\r\n");
  EXPECT_EQ(open.programDir, "C:\\kumi\\");
  EXPECT_EQ(open.dataDir, "C:\\kumi\\data\\");
}

TEST(ReadWinctl, TakesColumnOneOfTheFirstLine) {
  struct Case { const char* text; char flag; } cases[] = {
      {"", '0'}, {"\"1\"\r\n", '1'}, {"\"0\"\r\n", '0'}, {"\"9\"\r\n", '9'},
      {"\"\"\r\n", '"'}, {"\r\n", '\0'}, {"\"1\"\r\n\"0\"\r\n", '1'},
  };
  for (const Case& c : cases) EXPECT_EQ(read(readWinctl, c.text).directPrint, c.flag) << c.text;
}

TEST(ReadWinfont, TakesTheFaceFromColumnSix) {
  const std::string mincho = *platform::utf8ToCp932("ＭＳ 明朝");
  std::istringstream in("\"F1\",\"" + mincho + "\"\r\n\"F2\",\"\"\r\n\"F3\",\"Unclosed\r\n");
  RenderSettings s;
  EXPECT_TRUE(readWinfont(in, s));
  EXPECT_EQ(s.fontFaces[0], mincho);
  EXPECT_EQ(s.fontFaces[1], "");
  EXPECT_EQ(s.fontFaces[2], "Unclosed");
  EXPECT_EQ(s.fontFaces[3], "");
}

TEST(ReadWinfont, ATenthLineStopsTheReadingAndKeepsNineFaces) {
  std::string text;
  for (int i = 1; i <= 10; ++i) text += "\"F" + std::to_string(i) + "\",\"face" + std::to_string(i) + "\"\r\n";
  std::istringstream in(text);
  RenderSettings s;
  EXPECT_FALSE(readWinfont(in, s));
  EXPECT_EQ(s.fontFaces[8], "face9");
}

TEST(ColourFromLine, ReadsBlueGreenRedPairs) {
  struct Case { const char* line; Rgb rgb; } cases[] = {
      {"\"00ff80\"", {128, 255, 0}},   // lower-case digits count
      {"\"FF0000\"", {0, 0, 255}},     // the first pair is blue
      {"\"0A0B0C\"", {12, 11, 10}},
      {"\"zz1g2h\"", {2 * 16, 1 * 16, 0}},  // other characters count 0
      {"\"12\"", {0, 0, 1 * 16 + 2}},  // short line: the quote and what is missing count 0
      {"", {0, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(colourFromLine(c.line), c.rgb) << c.line;
}

TEST(ReadWincolor, AnEighthLineIsTooMany) {
  std::string text;
  for (int i = 0; i < 8; ++i) text += "\"0000" + std::to_string(i + 1) + "0\"\r\n";
  std::istringstream in(text);
  RenderSettings s;
  EXPECT_FALSE(readWincolor(in, s));
  EXPECT_EQ(s.userColors[6], (Rgb{0x70, 0, 0}));
}

TEST(LeadingInteger, ReadsLikeTheCLibrary) {
  struct Case { const char* text; int32_t value; } cases[] = {
      {"3", 3}, {"  42\"", 42}, {"-7", -7}, {"+5x", 5}, {"abc", 0}, {"", 0}, {"- 3", 0},
      {"99999999999999", 2147483647}, {"-99999999999999", -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(leadingInteger(c.text), c.value) << c.text;
}

TEST(ReadWinkei, StoresWidthsTimesTenOnTheStandardPage) {
  const std::string text = "\"3\"\r\n\"abc\"\r\n\"\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"300000000\"\r\n\"15\"\r\n";
  RenderSettings standard, large;
  std::istringstream a(text), b(text);
  EXPECT_TRUE(readWinkei(a, PageMode::Standard, standard));
  EXPECT_TRUE(readWinkei(b, PageMode::Large, large));
  EXPECT_EQ(standard.ruleWidths, (std::array<int32_t, 8>{30, 0, 0, 40, 50, 60, 70, 2147483647}));
  EXPECT_EQ(large.ruleWidths, (std::array<int32_t, 8>{3, 0, 0, 4, 5, 6, 7, 300000000}));
  EXPECT_EQ(standard.twipsPerPixel, 15);
  EXPECT_EQ(large.twipsPerPixel, 15);

  std::istringstream tooLong(text + "\"1\"\r\n");
  RenderSettings s;
  EXPECT_FALSE(readWinkei(tooLong, PageMode::Standard, s));
  EXPECT_EQ(s.twipsPerPixel, 15);
}

class LoadRenderSettings : public ::testing::Test {
 protected:
  LoadRenderSettings() : dir_("load_render_settings") {
    dir_.write("WINPRM.cfg", "3,\"/data/\"\r\n2,\"/prog/\"\r\n");
    dir_.write("WINCTL.cfg", "\"1\"\r\n");
    dir_.write("WINFONT.cfg", "\"F1\",\"A\"\r\n");
    dir_.write("WINCOLOR.cfg", "\"ff0000\"\r\n");
    dir_.write("WINKEI.cfg", "\"2\"\r\n");
  }
  ScratchDir dir_;
  MessageLog log_;
};

TEST_F(LoadRenderSettings, FillsEverythingWithoutAMessage) {
  RenderSettings s;
  EXPECT_TRUE(loadRenderSettings(PageMode::Standard, s, dir_.stored()).ok);
  EXPECT_EQ(s.dataDir, "/data/");
  EXPECT_EQ(s.programDir, "/prog/");
  EXPECT_EQ(s.directPrint, '1');
  EXPECT_EQ(s.fontFaces[0], "A");
  EXPECT_EQ(s.userColors[0], (Rgb{0, 0, 255}));
  EXPECT_EQ(s.ruleWidths[0], 20);
  EXPECT_EQ(log_.text(), "");
}

TEST_F(LoadRenderSettings, AMissingFileStopsTheLoadWithItsCaption) {
  struct Case { const char* file; const char* caption; } cases[] = {
      {"WINPRM.cfg", "WINPRM.CFG"}, {"WINCTL.cfg", "WINCTL.CFG"}, {"WINFONT.cfg", "WINFONT.CFG"},
      {"WINCOLOR.cfg", "WINCOLOR.CFG"}, {"WINKEI.cfg", "WINKEI.CFG"},
  };
  for (const Case& c : cases) {
    const std::string saved = dir_.read(c.file);
    // Missing, or a folder in the file's place (which opens here and reads as empty).
    for (bool folder : {false, true}) {
      std::filesystem::remove(dir_.path() / c.file);
      if (folder) std::filesystem::create_directory(dir_.path() / c.file);
      std::remove(log_.path().c_str());
      RenderSettings s;
      const LoadResult r = loadRenderSettings(PageMode::Standard, s, dir_.stored());
      EXPECT_FALSE(r.ok) << c.file << (folder ? " as a folder" : "");
      EXPECT_EQ(r.failedCaption, c.caption);
      EXPECT_EQ(log_.text(), std::string(c.caption) + "\tパスが見つかりません。\n");
    }
    std::filesystem::remove(dir_.path() / c.file);
    dir_.write(c.file, saved);
  }
}

TEST_F(LoadRenderSettings, TooManyLinesAreReportedOnceAndTheLoadGoesOn) {
  std::string fonts, colours, rules;
  for (int i = 0; i < 10; ++i) fonts += "\"F1\",\"x\"\r\n";
  for (int i = 0; i < 8; ++i) colours += "\"000000\"\r\n";
  for (int i = 0; i < 10; ++i) rules += "\"1\"\r\n";
  dir_.write("WINFONT.cfg", fonts);
  dir_.write("WINCOLOR.cfg", colours);
  dir_.write("WINKEI.cfg", rules);
  RenderSettings s;
  EXPECT_TRUE(loadRenderSettings(PageMode::Large, s, dir_.stored()).ok);
  EXPECT_EQ(log_.text(),
            "WINFONT.CFG\t外部フォントセットエラー\n"
            "WINCOLOR.CFG\tフォントカラーセットエラー\n"
            "WINKEI.CFG\t罫線の太さセットエラー\n");
  EXPECT_EQ(s.fontFaces[8], "x");
  EXPECT_EQ(s.twipsPerPixel, 1);
}

TEST_F(LoadRenderSettings, FindsAFileWhateverTheCaseOfItsName) {
  std::filesystem::rename(dir_.path() / "WINPRM.cfg", dir_.path() / "winprm.cfg");
  RenderSettings s;
  EXPECT_TRUE(loadRenderSettings(PageMode::Standard, s, dir_.stored()).ok);
  EXPECT_EQ(s.dataDir, "/data/");
}

}  // namespace
}  // namespace kumi::settings

namespace kumi::settings {
namespace {

TEST(OpenablePath, ACp932FolderNameBecomesTheUtf8NameOnDisk) {
  testing::ScratchDir dir("openable_path");
  // 表 is 0x95 0x5C in CP932: its second byte must not be taken for a separator.
  std::filesystem::create_directory(dir.path() / "表");
  std::ofstream(dir.path() / "表" / "WINCTL.cfg") << "\"1\"\r\n";
  std::string stored = "C:" + dir.path().string() + "\\" + *platform::utf8ToCp932("表") + "\\";
  EXPECT_EQ(openablePath(stored), (dir.path() / "表").string() + "/");
  EXPECT_EQ(settingsFilePath(stored, "winctl.cfg"), (dir.path() / "表" / "WINCTL.cfg").string());
}

}  // namespace
}  // namespace kumi::settings
