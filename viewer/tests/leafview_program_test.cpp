// leafview as a program: how it ends when started wrongly or when its
// settings cannot be read. The program is copied into a folder of its own,
// since it reads its settings from its own folder.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "viewer/logic/tests/test_support.h"

namespace kumi::viewer {
namespace {

using testing::MessageLog;
using testing::ScratchDir;

// Runs the copy in `dir` with `args` (shell words) and returns its exit status.
int runLeafview(const ScratchDir& dir, const std::string& args) {
  const std::string program = dir.folder() + "leafview";
  std::filesystem::copy_file(LEAFVIEW_PATH, program, std::filesystem::copy_options::overwrite_existing);
  const std::string command = "QT_QPA_PLATFORM=offscreen timeout 60 '" + program + "' " + args +
                              " > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Leafview, AnyArgumentButGEndsAtOnceShowingNothing) {
  MessageLog log;
  ScratchDir dir("program_args");
  for (const char* args : {"", "g", "'G G'", "G G", "GG"}) {
    EXPECT_EQ(runLeafview(dir, args), 2) << args;
  }
  EXPECT_TRUE(log.lines().empty());
}

TEST(Leafview, MissingSettingsAreReportedAndEndTheProgram) {
  MessageLog log;
  ScratchDir dir("program_settings");
  EXPECT_EQ(runLeafview(dir, "' G '"), 1);
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_EQ(log.lines()[0], "winprm.cfg\tファイルが見つかりません。\\n" + dir.folder() + "WINPRM.cfg");
}

TEST(Leafview, AMissingPageRangeIsCaptionedWithTheFontFile) {
  MessageLog log;
  ScratchDir dir("program_winpage");
  dir.write("WINPRM.cfg", "3,\"/data/\"\r\n4,\"\"\r\n5,\"\"\r\n1,\"\"\r\n2,\"" + dir.folder() +
                              "nowhere/\"\r\n7,\"\"\r\n6,\"\"\r\n8,\"\"\r\n");
  dir.write("WINFONT.cfg", std::string(5, '\n'));
  EXPECT_EQ(runLeafview(dir, "G"), 1);
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_EQ(log.lines()[0], dir.folder() + "WINFONT.cfg\tファイルが見つかりません。\\n" + dir.folder() +
                                "nowhere/winpage.cfg");
}

}  // namespace
}  // namespace kumi::viewer
