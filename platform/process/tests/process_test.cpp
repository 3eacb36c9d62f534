#include "platform/process/process.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kumi::platform {
namespace {

namespace fs = std::filesystem;

class ProcessTest : public ::testing::Test {
 protected:
  ProcessTest() : dir_(fs::path(::testing::TempDir()) / ("process_" + std::to_string(::getpid()))) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~ProcessTest() override { fs::remove_all(dir_); }

  // A shell script `name` in the scratch directory.
  void script(const std::string& name, const std::string& body) const {
    const fs::path p = dir_ / name;
    std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
    ::chmod(p.c_str(), 0755);
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The directory as the settings keep it: Windows separators and a drive.
  std::string windowsDir() const {
    std::string d = "C:" + dir_.string() + "/";
    for (char& c : d) if (c == '/') c = '\\';
    return d;
  }

  fs::path dir_;
};

TEST_F(ProcessTest, StartsTheNameWithoutExeAndPassesArgumentsAsTheyAre) {
  script("tool", "printf '%s|' \"$@\" > \"$(dirname \"$0\")/args.txt\"; exit 3");
  std::string error;
  auto p = ChildProcess::start(windowsDir() + "tool.exe", {"0001", "0012", "PR", "a b", ""}, &error);
  ASSERT_TRUE(p) << error;
  EXPECT_EQ(p->waitUntilEnded(3600), 3u);
  EXPECT_EQ(p->wait(0), 3u);  // an ended process keeps its code
  EXPECT_EQ(read("args.txt"), "0001|0012|PR|a b||");
}

TEST_F(ProcessTest, PrefersTheExeFileWhenOneExists) {
  script("tool.exe", "exit 7");
  script("tool", "exit 8");
  EXPECT_EQ(programFile(windowsDir() + "tool.exe"), (dir_ / "tool.exe").string());
  auto p = ChildProcess::start(windowsDir() + "tool.exe", {});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->waitUntilEnded(3600), 7u);
}

TEST_F(ProcessTest, ReportsStillActiveWhileTheProcessRuns) {
  script("slow", "exec sleep 30");  // exec: the signal reaches the sleeper itself
  auto p = ChildProcess::start(windowsDir() + "slow", {});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->wait(20), kStillActive);
  ::kill(p->pid(), SIGTERM);
  EXPECT_EQ(p->waitUntilEnded(3600), 128u + SIGTERM);
}

// True once the process is gone altogether: ended and collected, not a zombie.
bool gone(pid_t pid) { return !fs::exists("/proc/" + std::to_string(pid)); }

TEST_F(ProcessTest, AChildLetGoLeavesNoZombie) {
  script("quick", "exit 0");
  script("slow", "exec sleep 30");
  pid_t ended = -1;
  pid_t running = -1;
  {
    auto q = ChildProcess::start(windowsDir() + "quick", {});
    auto s = ChildProcess::start(windowsDir() + "slow", {});
    ASSERT_TRUE(q && s);
    ended = q->pid();
    running = s->pid();
    // Wait for the end without collecting it, as a caller that never asks would.
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(ended), &info, WEXITED | WNOWAIT), 0);
    s = ChildProcess::start(windowsDir() + "quick", {});  // lets go of the sleeper
    ASSERT_TRUE(s);
    s->waitUntilEnded(10);
  }
  EXPECT_TRUE(gone(ended));
  ::kill(running, SIGTERM);
  for (int i = 0; i < 1000 && !gone(running); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(gone(running));
}

TEST_F(ProcessTest, AProgramThatIsNotThereDoesNotStart) {
  std::string error;
  EXPECT_FALSE(ChildProcess::start(windowsDir() + "missing.exe", {}, &error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  std::ofstream(dir_ / "plain") << "not a program";
  EXPECT_FALSE(ChildProcess::start(windowsDir() + "plain", {}, &error));
}

TEST_F(ProcessTest, TheChildRunsInTheCurrentDirectory) {
  script("where", "pwd > where.txt");
  const fs::path before = fs::current_path();
  fs::current_path(dir_);
  auto p = ChildProcess::start(windowsDir() + "where", {});
  fs::current_path(before);
  ASSERT_TRUE(p);
  p->waitUntilEnded(3600);
  EXPECT_EQ(read("where.txt"), fs::canonical(dir_).string() + "\n");
}

}  // namespace
}  // namespace kumi::platform
