// Through the exported entry, as a client calls it.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>

#include "call_builder.h"
#include "kumi/sssub5.h"
#include "msgbox_log.h"
#include "run_dir.h"

extern "C" void* kumiExportedEntry(void);

namespace {

using kumi::engine::testing::CallBuilder;
using kumi::engine::testing::MessageLog;
using kumi::engine::testing::RunDirectory;

int32_t callEntry(CallBuilder& b) {
  const kumi::engine::CallArgs a = b.args();
  return sssub5(a.command, a.resultSelector, a.sizeDownFlag, a.recordKind, a.pageNumber,
                a.charSize, a.fontCode, a.digitMode, a.keepTogether, a.placeSize, a.widthScale,
                a.heightScale, a.originX, a.originY, a.blockExtent, a.blockAlign, a.rubyOpen,
                a.linePitch, a.lineLength, a.lineCounter, a.rubyClose, a.breakChar, a.lineAlign,
                a.spaceTrim, a.ruleType, a.ruleStyle, a.coord1, a.coord2, a.coord3, a.coord4,
                a.text);
}

TEST(Entry, ExportedUnmangledFromTheLibrary) {
  EXPECT_NE(kumiExportedEntry(), nullptr);
  void* self = dlopen(nullptr, RTLD_NOW);
  EXPECT_NE(dlsym(self, "sssub5"), nullptr);
  // Only the entry is exported: the engine's C++ names stay hidden.
  EXPECT_EQ(dlsym(self, "_ZN4kumi6engine6Engine4callERKNS0_8CallArgsE"), nullptr);
}

TEST(Entry, BlankScaleComesBackAsZero) {
  CallBuilder b;
  b.recordKind = "K ";
  b.widthScale = " ";
  callEntry(b);
  EXPECT_EQ(b.widthScale, "0");
}

TEST(Entry, RunLifecycleWritesResultWordsOnEveryCall) {
  RunDirectory run("entry_run");
  run.writeWinprm(run.windowsPath());
  for (const char* command : {"O ", "C "}) {
    CallBuilder b;
    b.command = command;
    b.text = CallBuilder::bufferOf("\xff\xff\xff\xff\xff\xff\xff\xff");
    callEntry(b);
    for (int i = 0; i < 8; ++i) EXPECT_NE(b.text[i], '\xff') << command;
  }
  EXPECT_TRUE(std::filesystem::exists(run.skDat()));
}

TEST(Entry, MeasuringCallWritesNothing) {
  RunDirectory run("entry_measure");
  run.writeWinprm(run.windowsPath());
  CallBuilder open;
  open.command = "O ";
  callEntry(open);
  CallBuilder n;
  n.command = "N ";
  n.resultSelector = "D ";
  n.withText("\x91\x67\x94\xc5");
  callEntry(n);
  CallBuilder close;
  close.command = "C ";
  callEntry(close);
  EXPECT_EQ(std::filesystem::file_size(run.skDat()), 0u);
}

using EntryDeathTest = ::testing::Test;

TEST(EntryDeathTest, MissingWinprmEndsTheProcess) {
  RunDirectory run("entry_no_winprm");
  MessageLog log;
  CallBuilder open;
  open.command = "O ";
  EXPECT_EXIT(callEntry(open), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(log.text(), "WINPRM.CFG\tパスが見つかりません。\n");
}

TEST(EntryDeathTest, WinprmWithoutDataDirectoryEndsTheProcess) {
  RunDirectory run("entry_bad_winprm");
  std::ofstream(run.path() / "WINPRM.cfg") << "4,\"client\"\r\n";
  MessageLog log;
  CallBuilder open;
  open.command = "O ";
  EXPECT_EXIT(callEntry(open), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(log.text(), "WINPRM.CFG\tパスが見つかりません。\n");
}

TEST(EntryDeathTest, UncreatablePageFileEndsTheProcess) {
  RunDirectory run("entry_no_dir");
  run.writeWinprm("C:\\nonexistent\\kumi\\");
  MessageLog log;
  CallBuilder open;
  open.command = "O ";
  EXPECT_EXIT(callEntry(open), ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(log.text(), "SK.DAT\tパスが見つかりません。\n");
}

}  // namespace
