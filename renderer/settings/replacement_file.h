#pragma once
// A file written beside the one it replaces and renamed over it only when
// complete, so readers see the old contents or the new, never half.
#include <string>
#include <string_view>

namespace kumi::settings {

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();  // not committed: the new file is removed, the old one stays
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Creates the new file in the directory of `openablePath`. An existing
  // file's permissions carry over; a new one gets what the umask allows.
  bool create(const std::string& openablePath);
  bool write(std::string_view bytes);
  // Flushes the new file to disk and renames it over the old one.
  bool commit();

  // The system's description of the last failure, with the path.
  const std::string& error() const { return error_; }

 private:
  bool fail();
  void discard();

  std::string path_;
  std::string temp_;
  std::string error_;
  int fd_ = -1;
};

}  // namespace kumi::settings
