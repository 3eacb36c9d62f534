#pragma once
// Scratch directories and message capture for the renderer's tests.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include <unistd.h>

#include <gtest/gtest.h>

namespace kumi::settings::testing {

// A fresh directory under the test temp dir, removed afterwards.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : dir_(std::filesystem::path(::testing::TempDir()) /
             (name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return dir_; }
  // The directory as a settings value: ending with its separator.
  std::string stored() const { return dir_.string() + "/"; }

  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
  size_t fileCount() const {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_)) ++n;
    return n;
  }

 private:
  std::filesystem::path dir_;
};

// Captures message boxes through KUMI_MSGBOX_LOG for the life of the object.
class MessageLog {
 public:
  MessageLog()
      : path_(::testing::TempDir() + "kumi_settings_msgbox_" + std::to_string(::getpid()) + ".log") {
    std::remove(path_.c_str());
    ::setenv("KUMI_MSGBOX_LOG", path_.c_str(), 1);
  }
  ~MessageLog() {
    ::unsetenv("KUMI_MSGBOX_LOG");
    std::remove(path_.c_str());
  }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

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

}  // namespace kumi::settings::testing
