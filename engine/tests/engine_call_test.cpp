#include <gtest/gtest.h>

#include <filesystem>

#include "call_builder.h"
#include "engine/core/engine.h"
#include "engine/tables/style_tables.h"
#include "msgbox_log.h"
#include "run_dir.h"

namespace kumi::engine {
namespace {

using testing::CallBuilder;
using testing::MessageLog;
using testing::RunDirectory;

TEST(EngineCall, VerticalRefusalsShowTheirMessageAndReturnZero) {
  struct Case { char digit; char sizeDown; const char* line; };
  const Case cases[] = {
      {'1', ' ', "Ｐ７エラー\t縦組みではＰ７のセット値１は使用できません。\n"},
      {'2', ' ', "Ｐ７エラー\t縦組みではＰ７のセット値２は使用できません。\n"},
      {'0', 'S', "Ｐ２Ｂエラー\t縦組みではサイズダウン処理はできません。\n"},
  };
  for (const Case& c : cases) {
    MessageLog log;
    Engine e;
    e.results() = {11, 22, 33, 44};
    CallBuilder b;
    b.recordKind = "J0";
    b.digitMode = std::string(1, c.digit);
    b.sizeDownFlag = std::string(1, c.sizeDown);
    b.coord4 = 99;
    b.withText("\x88\x9f");
    EXPECT_EQ(e.call(b.args()), 0);
    EXPECT_EQ(log.text(), c.line);
    EXPECT_EQ(b.text[0], '\x88');  // result words not written
  }
}

TEST(EngineCall, HorizontalKindWithDigitModeOneIsNotRefused) {
  MessageLog log;
  Engine e;
  CallBuilder b;
  b.digitMode = "1";
  b.resultSelector = "Q ";
  b.coord4 = 7;
  b.withText("\x82\x50");
  EXPECT_EQ(e.call(b.args()), 7);
  EXPECT_EQ(log.text(), "");
}

TEST(EngineCall, ResultSelectorPicksTheValue) {
  Engine e;
  e.results() = {100, 2, 300, 400};
  struct Case { const char* selector; int32_t expected; };
  const Case cases[] = {{"P ", 100}, {"D ", 2}, {"X ", 300}, {"Y ", 400}, {"Q ", 55}};
  for (const Case& c : cases) {
    CallBuilder b;
    b.command = "L ";
    b.recordKind = "P ";
    b.resultSelector = c.selector;
    b.coord4 = 55;
    b.withText("GT  FF");
    EXPECT_EQ(e.call(b.args()), c.expected) << c.selector;
    EXPECT_EQ(b.resultWord(0), 100);
    EXPECT_EQ(b.resultWord(1), 2);
    EXPECT_EQ(b.resultWord(2), 300);
    EXPECT_EQ(b.resultWord(3), 400);
  }
}

TEST(EngineCall, ResultWordsAreTruncatedTo16Bits) {
  Engine e;
  e.results() = {0x12345, -1, 70000, 0};
  CallBuilder b;
  b.recordKind = "K ";
  e.call(b.args());
  EXPECT_EQ(static_cast<uint16_t>(b.resultWord(0)), 0x2345);
  EXPECT_EQ(b.resultWord(1), -1);
  EXPECT_EQ(static_cast<uint16_t>(b.resultWord(2)), 70000 & 0xFFFF);
}

TEST(EngineCall, TableDefinitionWithBoundaryErrorIsReportedAndStored) {
  MessageLog log;
  Engine e;
  CallBuilder b;
  b.recordKind = "P ";
  b.withText("HT  " + std::string(83, '1') + "FF");
  e.call(b.args());
  EXPECT_EQ(log.text(), "エラー\tHTテーブルにバウンダリエラーがあります。\n");
  EXPECT_FALSE(e.tables().isEmpty(TableId::HT));
}

TEST(EngineCall, UnknownTableNameIsComposedAsText) {
  Engine e;
  CallBuilder b;
  b.recordKind = "P ";
  b.withText("XYZ");
  e.call(b.args());
  EXPECT_EQ(e.text().length(), 3u);
  EXPECT_EQ(e.text().units[0], 0x2358);  // Ｘ
}

TEST(EngineCall, OpenAndCloseARun) {
  RunDirectory run("engine_call_run");
  run.writeWinprm(run.windowsPath());
  Engine e;
  CallBuilder open;
  open.command = "O ";
  e.call(open.args());
  EXPECT_TRUE(e.pageFile().isOpen());
  EXPECT_TRUE(std::filesystem::exists(run.skDat()));
  CallBuilder close;
  close.command = "C ";
  e.call(close.args());
  EXPECT_FALSE(e.pageFile().isOpen());
}

TEST(EngineCall, DataDirectoryWithAJapaneseName) {
  RunDirectory run("engine_call_japanese_dir");
  std::filesystem::create_directories(run.path() / "表");
  // 表 is 0x95 0x5C in CP932: its trail byte must not split the path.
  run.writeWinprm(run.windowsPath() + "\x95\x5C\\");
  Engine e;
  CallBuilder open;
  open.command = "O ";
  e.call(open.args());
  EXPECT_TRUE(std::filesystem::exists(run.path() / "表" / "sk.dat"));
}

TEST(EngineCall, DataDirectoryWithoutClosingSeparatorIsKeptWhole) {
  RunDirectory run("engine_call_no_separator");
  std::filesystem::create_directories(run.path() / "data");
  std::filesystem::create_directories(run.path() / "dat");  // the name cut short
  run.writeWinprm(run.windowsPath() + "data");
  Engine e;
  CallBuilder open;
  open.command = "O ";
  e.call(open.args());
  EXPECT_TRUE(std::filesystem::exists(run.path() / "data" / "sk.dat"));
  EXPECT_FALSE(std::filesystem::exists(run.path() / "dat" / "sk.dat"));
}

TEST(EngineCall, OAndCRefreshOnlyTheFlags) {
  RunDirectory run("engine_call_flags");
  run.writeWinprm(run.windowsPath());
  Engine e;
  CallBuilder text;
  text.pageNumber = "7   ";
  text.withText("A");
  e.call(text.args());
  CallBuilder open;
  open.command = "O ";
  open.pageNumber = "9   ";
  e.call(open.args());
  EXPECT_EQ(std::string(e.record().pageName.data(), 4), "0007");
  EXPECT_EQ(e.record().command, 'O');
}

TEST(EngineCall, WritingWithoutAnOpenRunDoesNothing) {
  Engine e;
  e.write(pagefile::RecordBytes{});
  EXPECT_EQ(e.pageFile().recordsWritten(), 0u);
}

TEST(WinprmLine, DataDirectoryRecord) {
  EXPECT_EQ(dataDirFromWinprmLine("3,\"C:\\kumi\\data\\\""), "C:\\kumi\\data\\");
  EXPECT_EQ(dataDirFromWinprmLine("3,\"/tmp/x/"), "/tmp/x/");  // no closing quote
  EXPECT_EQ(dataDirFromWinprmLine("4,\"C:\\kumi\\\""), "");
  EXPECT_EQ(dataDirFromWinprmLine("3,\"\""), "");
  EXPECT_EQ(dataDirFromWinprmLine(""), "");
}

TEST(WinprmLine, PageFileOfTheDataDirectory) {
  struct Case { std::string dir; std::string path; };
  const Case cases[] = {
      {"C:\\kumi\\data\\", "C:\\kumi\\data\\sk.dat"},
      {"/tmp/x/", "/tmp/x\\sk.dat"},
      {"C:\\kumi\\data", "C:\\kumi\\data\\sk.dat"},  // no separator: nothing is cut
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\sk.dat"},    // 表 ends in 0x5C, still no separator
      {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\sk.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(pageFilePath(c.dir), c.path) << c.dir;
}

}  // namespace
}  // namespace kumi::engine
