#include "platform/process/process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <system_error>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/base/paths.h"

extern char** environ;

namespace kumi::platform {
namespace {

bool endsWithExe(std::string_view path) {
  if (path.size() < 4) return false;
  std::string_view ext = path.substr(path.size() - 4);
  return ext[0] == '.' && (ext[1] | 0x20) == 'e' && (ext[2] | 0x20) == 'x' && (ext[3] | 0x20) == 'e';
}

uint32_t statusCode(int status) {
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
  return 255;
}

// The first executable named `name` on PATH, or empty.
std::string onPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "/usr/bin:/bin";
  while (!dirs.empty()) {
    const size_t colon = dirs.find(':');
    std::string dir(dirs.substr(0, colon));
    dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + std::string(name);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace

std::string programFile(std::string_view storedPath) {
  const std::string native = nativePath(storedPath);
  if (endsWithExe(native) && !fileExists(native)) return native.substr(0, native.size() - 4);
  return native;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : pid_(other.pid_), ended_(other.ended_), exitCode_(other.exitCode_) {
  other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this == &other) return *this;
  release();
  pid_ = other.pid_;
  ended_ = other.ended_;
  exitCode_ = other.exitCode_;
  other.pid_ = -1;
  return *this;
}

ChildProcess::~ChildProcess() { release(); }

void ChildProcess::release() {
  if (pid_ > 0 && !poll()) {
    // Still running: a thread of its own waits for its end and collects it.
    try {
      std::thread([pid = pid_] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
      }).detach();
    } catch (const std::system_error&) {
      // No thread to be had: the child is collected when this program ends.
    }
  }
  pid_ = -1;
}

std::optional<ChildProcess> ChildProcess::start(std::string_view storedProgram,
                                                const std::vector<std::string>& args,
                                                std::string* error) {
  const std::string file = programFile(storedProgram);
  std::vector<std::string> owned;
  owned.reserve(args.size() + 1);
  owned.push_back(file);
  owned.insert(owned.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : owned) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The child starts with default signal handling and nothing blocked,
  // whatever this program (or its toolkit) changed for itself.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, file.c_str(), nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    if (error != nullptr) *error = file + ": " + std::strerror(rc);
    return std::nullopt;
  }
  return ChildProcess(pid);
}

bool ChildProcess::poll() {
  if (ended_ || pid_ < 0) return true;
  int status = 0;
  const pid_t r = ::waitpid(pid_, &status, WNOHANG);
  if (r == pid_) {
    ended_ = true;
    exitCode_ = statusCode(status);
  } else if (r < 0 && errno != EINTR) {
    // Reaped elsewhere or never ours: nothing more will come of waiting.
    ended_ = true;
    exitCode_ = 255;
  }
  return ended_;
}

uint32_t ChildProcess::wait(int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  auto step = std::chrono::milliseconds(1);
  while (!poll()) {
    const auto now = Clock::now();
    if (now >= deadline) return kStillActive;
    std::this_thread::sleep_for(std::min<Clock::duration>(step, deadline - now));
    step = std::min(step * 2, std::chrono::milliseconds(50));
  }
  return exitCode_;
}

uint32_t ChildProcess::waitUntilEnded(int stepMs) {
  uint32_t code = wait(stepMs);
  while (code == kStillActive) code = wait(stepMs);
  return code;
}

std::optional<ChildProcess> openWithDesktop(std::string_view storedPath, std::string* error) {
  const std::string opener = onPath("xdg-open");
  if (opener.empty()) {
    if (error != nullptr) *error = "xdg-open: no desktop program to open files is installed";
    return std::nullopt;
  }
  return ChildProcess::start(opener, {nativePath(storedPath)}, error);
}

}  // namespace kumi::platform
