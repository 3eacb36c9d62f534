#pragma once
// Starting other programs and waiting for them.
//
// Program paths keep the Windows shape of the settings: "DIR\name.exe" starts
// DIR/name.exe when such a file exists, else DIR/name. Starting returns at
// once; waiting with a time-out reports kStillActive while the program runs,
// as the callers expect. Programs inherit the current directory and the
// environment; arguments are passed as they are, one each, never through a
// shell.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

namespace kumi::platform {

// The exit code reported while a process is still running (STILL_ACTIVE).
// Exit statuses here are 0 to 255, or 128 + the signal that ended the
// process, so a finished process never reports it.
inline constexpr uint32_t kStillActive = 259;

// The file that starting `storedPath` runs: the path in native form, less a
// trailing ".exe" (any case) when no file of the full name exists.
std::string programFile(std::string_view storedPath);

class ChildProcess {
 public:
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // A running child is left to run; once nobody holds it, it is still reaped
  // when it ends, so a long-running program collects no zombies.
  ~ChildProcess();

  // Starts `storedProgram` with `args` (not including the program's name).
  // nullopt, with the system's description in *error, when it cannot start.
  static std::optional<ChildProcess> start(std::string_view storedProgram,
                                           const std::vector<std::string>& args,
                                           std::string* error = nullptr);

  // Waits up to `timeoutMs` for the process to end; its exit code, or
  // kStillActive when it still runs. Once ended it keeps reporting the code.
  uint32_t wait(int timeoutMs);
  // Waits until the process ends, in steps of `stepMs`, and returns its code.
  uint32_t waitUntilEnded(int stepMs);

  pid_t pid() const { return pid_; }

 private:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  bool poll();
  // Lets go of the child (see the destructor).
  void release();

  pid_t pid_ = -1;
  bool ended_ = false;
  uint32_t exitCode_ = kStillActive;
};

// Opens a file or folder with the desktop's own program (xdg-open), the
// stand-in for the outside programs that have no equivalent here.
std::optional<ChildProcess> openWithDesktop(std::string_view storedPath,
                                            std::string* error = nullptr);

}  // namespace kumi::platform
