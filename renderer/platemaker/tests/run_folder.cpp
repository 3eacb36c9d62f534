#include "renderer/platemaker/tests/run_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kumi::renderer::testing {

namespace fs = std::filesystem;

const char* const kA4Profile =
    "[Windows]\ndevice=Test A4,TESTDRV,FILE:\n"
    "[Printer Test A4]\nPHYSICALWIDTH=4960\nPHYSICALHEIGHT=7014\nPHYSICALOFFSETX=100\n"
    "PHYSICALOFFSETY=100\nHORZRES=4760\nVERTRES=6814\nHORZSIZE=201\nVERTSIZE=288\n"
    "LOGPIXELSX=600\nLOGPIXELSY=600\n";

namespace {

std::string windowsShape(const fs::path& dir) {
  std::string s = "C:" + dir.string() + "/";
  for (char& c : s) if (c == '/') c = '\\';
  return s;
}

}  // namespace

RunFolder::RunFolder(const std::string& name)
    : previous_(fs::current_path()),
      root_(fs::path(::testing::TempDir()) / ("platemaker_" + name + "_" + std::to_string(::getpid()))),
      program_(root_ / "prog"),
      data_(root_ / "data") {
  fs::remove_all(root_);
  fs::create_directories(program_);
  fs::create_directories(data_);
  fs::current_path(program_);
  writeProfile(kA4Profile);
  ::setenv("KUMI_PROFILE", profilePath().c_str(), 1);
  ::unsetenv("KUMI_MSGBOX_ANSWER");
}

RunFolder::~RunFolder() {
  fs::current_path(previous_);
  ::unsetenv("KUMI_PROFILE");
  ::unsetenv("KUMI_MSGBOX_ANSWER");
  std::error_code ec;
  fs::remove_all(root_, ec);
}

std::string RunFolder::storedProgramDir() const { return windowsShape(program_); }
std::string RunFolder::storedDataDir() const { return windowsShape(data_); }

void RunFolder::writeSettings(char directPrint) const {
  auto write = [this](const char* name, const std::string& text) {
    std::ofstream(program_ / name, std::ios::binary) << text;
  };
  write("WINPRM.cfg", "3,\"" + storedDataDir() + "\"\r\n4,\"\"\r\n5,\"\"\r\n1,\"\"\r\n2,\"" +
                          storedProgramDir() + "\"\r\n7,\"\"\r\n6,\"\"\r\n8,\"\"\r\n");
  write("WINCTL.cfg", std::string("\"") + directPrint + "\"\r\n");
  std::string fonts;
  for (int i = 1; i <= 9; ++i) fonts += "\"F" + std::to_string(i) + "\",\"\"\r\n";
  write("WINFONT.cfg", fonts);
  std::string colours;
  for (int i = 0; i < 7; ++i) colours += "\"000000\"\r\n";
  write("WINCOLOR.cfg", colours);
  write("WINKEI.cfg", "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"15\"\r\n");
}

void RunFolder::writeProfile(const std::string& text) const {
  std::ofstream(profilePath(), std::ios::binary) << text;
}

void RunFolder::writeSkDat(const std::vector<pagefile::RecordBytes>& records) const {
  std::ofstream out(data_ / "sk.dat", std::ios::binary);
  for (const auto& r : records) out.write(reinterpret_cast<const char*>(r.data()), 25);
}

void RunFolder::writeProgram(const std::string& name, const std::string& body) const {
  const fs::path p = program_ / name;
  std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
  ::chmod(p.c_str(), 0755);
}

std::string RunFolder::read(const fs::path& p) const {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

pagefile::RecordBytes characterAt(std::string_view page, int32_t x, int32_t y) {
  pagefile::CharacterRecord c;
  for (size_t i = 0; i < 4 && i < page.size(); ++i) c.page[i] = page[i];
  c.x = x;
  c.y = y;
  c.code[0] = 0x82;
  c.code[1] = 0xA0;
  c.fontLetter = 'A';
  c.sizeCode = 'A';
  c.cls = 'K';
  c.colour[0] = '1';
  c.direction = 'Y';
  return pagefile::encode(c);
}

}  // namespace kumi::renderer::testing
