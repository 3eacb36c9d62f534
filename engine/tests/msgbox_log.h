#pragma once
// Captures the message boxes a test causes, through KUMI_MSGBOX_LOG.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

namespace kumi::engine::testing {

class MessageLog {
 public:
  MessageLog() : path_(::testing::TempDir() + "kumi_msgbox_" + std::to_string(::getpid()) + ".log") {
    std::remove(path_.c_str());
    setenv("KUMI_MSGBOX_LOG", path_.c_str(), 1);
  }
  ~MessageLog() {
    unsetenv("KUMI_MSGBOX_LOG");
    std::remove(path_.c_str());
  }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  // Everything logged so far, "caption<TAB>text" a line.
  std::string text() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace kumi::engine::testing
