#pragma once
// Scratch folders, message capture and a recording launcher for the viewer's
// tests (logic and windows alike).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "viewer/logic/program_launcher.h"

namespace kumi::viewer::testing {

// A fresh folder under the test temp dir, removed afterwards.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : dir_(std::filesystem::path(::testing::TempDir()) /
             ("viewer_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The folder as a native directory and as a settings value: both end with "/".
  std::string folder() const { return dir_.string() + "/"; }
  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path dir_;
};

// Captures message boxes through KUMI_MSGBOX_LOG while it lives; `answer`
// scripts the button a question box gets.
class MessageLog {
 public:
  explicit MessageLog(const char* answer = nullptr)
      : path_(::testing::TempDir() + "kumi_viewer_msgbox_" + std::to_string(::getpid()) + ".log") {
    std::remove(path_.c_str());
    ::setenv("KUMI_MSGBOX_LOG", path_.c_str(), 1);
    if (answer != nullptr) ::setenv("KUMI_MSGBOX_ANSWER", answer, 1);
  }
  ~MessageLog() {
    ::unsetenv("KUMI_MSGBOX_LOG");
    ::unsetenv("KUMI_MSGBOX_ANSWER");
    std::remove(path_.c_str());
  }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Every box so far, one "caption<TAB>text" line each.
  std::vector<std::string> lines() const {
    std::ifstream in(path_, std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }

 private:
  std::string path_;
};

// Records what would have been started; fails every start when told to.
class RecordingLauncher final : public ProgramLauncher {
 public:
  bool start(const Command& command, std::string& error) override {
    started.push_back(command);
    if (failWith.empty()) return true;
    error = failWith;
    return false;
  }
  std::vector<Command> started;
  std::string failWith;
};

}  // namespace kumi::viewer::testing
