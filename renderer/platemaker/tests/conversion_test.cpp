// The record loop, its files and its failures, driven without a window.
#include "renderer/platemaker/conversion.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "renderer/platemaker/tests/recording_handlers.h"
#include "renderer/platemaker/tests/run_folder.h"

namespace kumi::renderer {
namespace {

using namespace std::string_view_literals;
using testing::characterAt;
using testing::RecordingHandlers;
using testing::RunFolder;
using Status = ConversionResult::Status;

class StatusLines final : public StatusSink {
 public:
  std::vector<std::string> lines;
  void show(std::string_view utf8) override { lines.emplace_back(utf8); }
};

struct Outcome {
  RecordingHandlers handlers;
  StatusLines status;
  ConversionResult result;
};

void convertIn(Outcome& run, char mode = 'G') { run.result = convert(mode, run.handlers, run.status); }

TEST(Conversion, APageNameThatComesBackOpensItsPageAgain) {
  RunFolder f("pages_again");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 160, 320), characterAt("0001", 176, 320),
                characterAt("0002", 160, 320), characterAt("0001", 192, 320)});
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.result.status, Status::Converted);
  EXPECT_EQ(run.result.exitStatus(), 0);
  EXPECT_EQ(run.result.pageCount, 3);
  EXPECT_EQ(run.result.firstPage, "0001");
  EXPECT_EQ(run.result.lastOpenedPage, "0001");
  EXPECT_EQ(run.handlers.callNames(),
            (std::vector<std::string>{"page", "char", "char", "page", "char", "page", "char", "end"}));
  EXPECT_TRUE(std::filesystem::exists(f.dataDir() / "0001.emf"));
  EXPECT_TRUE(std::filesystem::exists(f.dataDir() / "0002.emf"));
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"0001\"\r\n\"0001\"\r\n");
  EXPECT_EQ(run.status.lines,
            (std::vector<std::string>{"0001 ページ処理開始", "0002 ページ処理開始",
                                      "0001 ページ処理開始", "出力変換終了しました。"}));
  EXPECT_EQ(f.messages(), "");
}

TEST(Conversion, RecordsArriveNormalisedAndShiftedOntoThePrintableOrigin) {
  RunFolder f("shifted");
  f.writeSettings();
  f.writeSkDat({characterAt("12\0\0"sv, 1000, 2000)});
  Outcome run;
  convertIn(run);
  ASSERT_EQ(run.handlers.calls.size(), 3u);
  const pagefile::RecordBytes& r = run.handlers.calls[1].record;
  EXPECT_EQ(std::string(r.begin(), r.begin() + 4), "0012");
  EXPECT_EQ(pagefile::readI32LE(r, 8), 1000 - 67);  // OX 423 hundredths = 67 engine units
  EXPECT_EQ(pagefile::readI32LE(r, 4), 2000 - 67);
  EXPECT_TRUE(std::filesystem::exists(f.dataDir() / "0012.emf"));
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"0012\"\r\n\"0012\"\r\n");
}

TEST(Conversion, AnEmptyPageFileMakesNoPageAndAnEmptyRange) {
  RunFolder f("empty");
  f.writeSettings();
  f.writeSkDat({});
  std::ofstream(f.dataDir() / "sk.dat", std::ios::app) << "short";  // a partial record is no record
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.result.status, Status::Converted);
  EXPECT_EQ(run.result.pageCount, 0);
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"\"\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dataDir()), {}), 1);
}

TEST(Conversion, AWidePrinterMakesLargePagesAndKeepsRuleWidthsAsWritten) {
  RunFolder f("large");
  f.writeSettings();
  f.writeProfile(
      "[Windows]\ndevice=Wide,DRV,FILE:\n[Printer Wide]\nPHYSICALWIDTH=9000\n"
      "PHYSICALHEIGHT=7014\nLOGPIXELSX=600\n");
  f.writeSkDat({characterAt("0001", 0, 0)});
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.handlers.calls[1].mode, settings::PageMode::Large);
  EXPECT_EQ(run.result.settings.ruleWidths[2], 3);
}

TEST(Conversion, ThePrinterErrorsShowTheDeviceNameAndChangeNothing) {
  struct Case { const char* profile; const char* message; } cases[] = {
      {"[Windows]\ndevice=NoComma\n", "プリンターデバイスエラー\tNoComma\n"},
      {"[Windows]\ndevice=\n", "プリンターデバイスエラー\t\n"},
      {"[Windows]\ndevice=Broken,DRV,FILE:\n[Printer Broken]\nPHYSICALWIDTH=0\n",
       "プリンターデバイスエラー\tBroken\n"},
  };
  for (const Case& c : cases) {
    RunFolder f("printer_error");
    f.writeSettings();
    f.writeSkDat({characterAt("0001", 0, 0)});
    std::ofstream(f.programDir() / "winpage.cfg") << "old";
    f.writeProfile(c.profile);
    Outcome run;
    convertIn(run);
    EXPECT_EQ(run.result.status, Status::PrinterError);
    EXPECT_EQ(run.result.exitStatus(), 0);
    EXPECT_EQ(f.messages(), c.message);
    EXPECT_TRUE(run.handlers.calls.empty());
    EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "old");
    EXPECT_FALSE(std::filesystem::exists(f.dataDir() / "0001.emf"));
  }
}

TEST(Conversion, AFileItNeedsMissingEndsTheRunWithStatus1) {
  RunFolder f("missing");
  f.writeSettings();
  Outcome noSk;
  convertIn(noSk);
  EXPECT_EQ(noSk.result.status, Status::MissingFile);
  EXPECT_EQ(noSk.result.exitStatus(), 1);
  EXPECT_EQ(f.messages(), f.storedDataDir() + "sk.dat\tパスが見つかりません。\n");

  f.writeSkDat({characterAt("0001", 0, 0)});
  std::filesystem::remove(f.programDir() / "WINCOLOR.cfg");
  std::remove(f.messageLogPath().c_str());
  Outcome noColours;
  convertIn(noColours);
  EXPECT_EQ(noColours.result.exitStatus(), 1);
  EXPECT_EQ(f.messages(), "WINCOLOR.CFG\tパスが見つかりません。\n");

  // A folder in sk.dat's place opens here but holds no records: it must not
  // pass for an empty run that overwrites the last range.
  f.writeSettings();
  std::filesystem::remove(f.dataDir() / "sk.dat");
  std::filesystem::create_directory(f.dataDir() / "sk.dat");
  std::ofstream(f.programDir() / "winpage.cfg", std::ios::binary) << "\"0001\"\r\n\"0001\"\r\n";
  std::remove(f.messageLogPath().c_str());
  Outcome folder;
  convertIn(folder);
  EXPECT_EQ(folder.result.exitStatus(), 1);
  EXPECT_EQ(f.messages(), f.storedDataDir() + "sk.dat\tパスが見つかりません。\n");
  EXPECT_EQ(f.read(f.programDir() / "winpage.cfg"), "\"0001\"\r\n\"0001\"\r\n");
}

TEST(Conversion, AProgramFolderThatCannotHoldWinpageEndsTheRunWithStatus1) {
  RunFolder f("no_winpage");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 0, 0)});
  // WINPRM.cfg names a program folder that does not exist.
  const std::string gone = f.storedProgramDir() + "gone\\";
  std::ofstream(f.programDir() / "WINPRM.cfg", std::ios::binary)
      << "3,\"" << f.storedDataDir() << "\"\r\n2,\"" << gone << "\"\r\n";
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.result.exitStatus(), 1);
  EXPECT_EQ(f.messages(), gone + "winpage.cfg\tパスが見つかりません。\n");
  EXPECT_TRUE(run.handlers.calls.empty());
}

TEST(Conversion, APageFileThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
  RunFolder f("page_unwritable");
  f.writeSettings();
  f.writeSkDat({characterAt("0001", 0, 0), characterAt("0/02", 0, 0), characterAt("0003", 0, 0)});
  std::filesystem::create_directory(f.dataDir() / "0_02.emf");  // a folder where the file should go
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.result.pageCount, 3);
  EXPECT_TRUE(run.result.pageWriteFailed);
  EXPECT_EQ(run.result.exitStatus(), 1);
  EXPECT_EQ(f.messages(), f.storedDataDir() + "0_02.emf\tパスが見つかりません。\n");
  EXPECT_TRUE(std::filesystem::exists(f.dataDir() / "0003.emf"));
  EXPECT_EQ(run.handlers.callNames(),
            (std::vector<std::string>{"page", "char", "page", "char", "end"}));
}

TEST(Conversion, DirectPrintingRunsThePrintProgramAndWaitsForIt) {
  RunFolder f("direct_print");
  f.writeSettings('1');
  f.writeSkDat({characterAt("0003", 0, 0), characterAt("0004", 0, 0)});
  f.writeProgram("sheetpress",
                 "printf '%s|' \"$@\" > printed.txt; sleep 0.2; cat winpage.cfg >> printed.txt; "
                 "echo done >> printed.txt");
  Outcome run;
  convertIn(run, '2');
  // Waited for: everything it wrote is there when the run returns.
  EXPECT_EQ(f.read(f.programDir() / "printed.txt"), "0003|0004|PR|\"0003\"\r\n\"0004\"\r\ndone\n");
  EXPECT_EQ(run.status.lines.back(), "スプーリング中です。..");  // batch: no closing line
  EXPECT_EQ(f.messages(), "");
}

TEST(Conversion, AMissingPrintProgramIsReportedAndNotWaitedFor) {
  RunFolder f("no_print_program");
  f.writeSettings('1');
  f.writeSkDat({characterAt("0001", 0, 0)});
  Outcome run;
  convertIn(run);
  EXPECT_EQ(run.result.status, Status::Converted);
  EXPECT_EQ(run.result.exitStatus(), 0);
  EXPECT_NE(f.messages().find(f.storedProgramDir() + "sheetpress.exe\t"), std::string::npos)
      << f.messages();
}

}  // namespace
}  // namespace kumi::renderer
