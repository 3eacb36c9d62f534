#pragma once
// A scratch run of platemaker: a program folder holding the settings files
// and a data folder, entered as the current directory, a test profile whose
// default printer is an A4 sheet at 600 dpi, and captured message boxes.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/pagefile/page_record.h"
#include "renderer/settings/tests/test_support.h"

namespace kumi::renderer::testing {

class RunFolder {
 public:
  explicit RunFolder(const std::string& name);
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  const std::filesystem::path& programDir() const { return program_; }
  const std::filesystem::path& dataDir() const { return data_; }
  // The two folders as WINPRM.cfg holds them, in the Windows shape.
  std::string storedProgramDir() const;
  std::string storedDataDir() const;

  // The five settings files, with DirectPrint `directPrint`.
  void writeSettings(char directPrint = '0') const;
  // The profile: its [Windows] device entry and printer sections.
  void writeProfile(const std::string& text) const;
  void writeSkDat(const std::vector<pagefile::RecordBytes>& records) const;
  // A shell script in the program folder standing in for another program.
  void writeProgram(const std::string& name, const std::string& body) const;

  std::string read(const std::filesystem::path& p) const;
  std::string messages() const { return log_.text(); }
  const std::string& messageLogPath() const { return log_.path(); }
  std::string profilePath() const { return (root_ / "profile.ini").string(); }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
  std::filesystem::path program_;
  std::filesystem::path data_;
  settings::testing::MessageLog log_;
};

// The A4 test printer of the default profile.
extern const char* const kA4Profile;

// A character record on `page` at (x, y) holding あ.
pagefile::RecordBytes characterAt(std::string_view page, int32_t x, int32_t y);

}  // namespace kumi::renderer::testing
