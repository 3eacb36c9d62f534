#pragma once
// A scratch working directory holding WINPRM.cfg whose data directory is
// itself, entered for the life of the object. The process id is part of its
// name, so tests running side by side never share one.
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/base/paths.h"

namespace kumi::engine::testing {

class RunDirectory {
 public:
  explicit RunDirectory(const std::string& name)
      : previous_(std::filesystem::current_path()),
        dir_(std::filesystem::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  ~RunDirectory() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }
  RunDirectory(const RunDirectory&) = delete;
  RunDirectory& operator=(const RunDirectory&) = delete;

  // The workbench's shape: 3,"<dir>\" with Windows separators and a drive.
  void writeWinprm(const std::string& dataDir) const {
    std::ofstream out(dir_ / "WINPRM.cfg", std::ios::binary);
    out << "3,\"" << dataDir << "\"\r\n4,\"client\"\r\n";
  }
  std::string windowsPath() const {
    std::string p = "C:" + dir_.string() + "/";
    for (char& c : p) if (c == '/') c = '\\';
    return p;
  }
  std::filesystem::path path() const { return dir_; }
  std::filesystem::path skDat() const { return dir_ / "sk.dat"; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

}  // namespace kumi::engine::testing
