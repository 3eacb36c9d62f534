#include "platform/base/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace kumi::platform {
namespace {

class MessageBoxLog : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs each test in its own process, side by side: one log per process.
    path_ = ::testing::TempDir() + "msgbox_test_" + std::to_string(::getpid()) + ".log";
    std::remove(path_.c_str());
    setenv("KUMI_MSGBOX_LOG", path_.c_str(), 1);
    unsetenv("KUMI_MSGBOX_ANSWER");
  }
  void TearDown() override {
    unsetenv("KUMI_MSGBOX_LOG");
    unsetenv("KUMI_MSGBOX_ANSWER");
    std::remove(path_.c_str());
  }
  std::string log() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string path_;
};

TEST_F(MessageBoxLog, AppendsCaptionTabTextWithBreaksEscaped) {
  messageBox("パスが見つかりません。", "WINPRM.CFG");
  messageBox("一行目\r\n二行目", "エラー");
  EXPECT_EQ(log(), "WINPRM.CFG\tパスが見つかりません。\nエラー\t一行目\\r\\n二行目\n");
}

TEST_F(MessageBoxLog, AnswersFromEnvironmentWhenTheBoxHasThatButton) {
  struct Case { const char* answer; MsgButtons buttons; MsgAnswer expected; };
  const Case cases[] = {
      {nullptr, MsgButtons::YesNo, MsgAnswer::Yes},
      {nullptr, MsgButtons::OkCancel, MsgAnswer::Ok},
      {"no", MsgButtons::YesNo, MsgAnswer::No},
      {"cancel", MsgButtons::YesNoCancel, MsgAnswer::Cancel},
      {"cancel", MsgButtons::OkCancel, MsgAnswer::Cancel},
      {"no", MsgButtons::Ok, MsgAnswer::Ok},       // not a button of this box
      {"maybe", MsgButtons::YesNo, MsgAnswer::Yes},  // unknown word
  };
  for (const Case& c : cases) {
    if (c.answer) setenv("KUMI_MSGBOX_ANSWER", c.answer, 1);
    else unsetenv("KUMI_MSGBOX_ANSWER");
    EXPECT_EQ(messageBox("t", "c", c.buttons), c.expected) << (c.answer ? c.answer : "(unset)");
  }
}

TEST_F(MessageBoxLog, AnUnwritableLogLeavesTheMessageOnTheConsole) {
  setenv("KUMI_MSGBOX_LOG", (path_ + ".missing/log").c_str(), 1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(messageBox("パスが見つかりません。", "WINPRM.CFG", MsgButtons::YesNo), MsgAnswer::Yes);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "WINPRM.CFG: パスが見つかりません。\n");
}

MsgAnswer answerNo(std::string_view, std::string_view, MsgButtons, MsgIcon) {
  return MsgAnswer::No;
}

TEST(MessageBoxPresenter, IsUsedWithoutTheLog) {
  unsetenv("KUMI_MSGBOX_LOG");
  setMessageBoxPresenter(&answerNo);
  EXPECT_EQ(messageBox("t", "c", MsgButtons::YesNo), MsgAnswer::No);
  setMessageBoxPresenter(nullptr);
  EXPECT_EQ(messageBox("t", "c", MsgButtons::YesNo), MsgAnswer::Yes);
}

}  // namespace
}  // namespace kumi::platform
