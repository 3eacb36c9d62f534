#include "renderer/settings/replacement_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/paths.h"

namespace kumi::settings {
namespace {

// The process's umask, read without changing it: setting it to read it back
// would, for a moment, give files another thread creates the wrong mode.
mode_t currentUmask() {
  if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f) != nullptr) {
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    }
    std::fclose(f);
    if (found) return static_cast<mode_t>(mask & 0777);
  }
  const mode_t mask = ::umask(0);  // no /proc: the old way
  ::umask(mask);
  return mask;
}

mode_t newFileMode() { return 0666 & ~currentUmask(); }

}  // namespace

ReplacementFile::~ReplacementFile() { discard(); }

bool ReplacementFile::fail() {
  error_ = path_ + ": " + std::strerror(errno);
  discard();
  return false;
}

void ReplacementFile::discard() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
  fd_ = -1;
}

bool ReplacementFile::create(const std::string& openablePath) {
  discard();
  path_ = openablePath;
  // A hidden name in the same directory, so the rename never crosses file systems.
  const std::string pattern =
      platform::directoryOf(path_) + "." + platform::fileNameOf(path_) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) return fail();
  temp_.assign(name.data());
  struct stat existing {};
  const mode_t mode =
      ::stat(path_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode();
  if (::fchmod(fd_, mode) != 0) return fail();
  return true;
}

bool ReplacementFile::write(std::string_view bytes) {
  if (fd_ < 0) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail();
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool ReplacementFile::commit() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) return fail();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || ::rename(temp_.c_str(), path_.c_str()) != 0) {
    error_ = path_ + ": " + std::strerror(errno);
    ::unlink(temp_.c_str());
    return false;
  }
  return true;
}

}  // namespace kumi::settings
