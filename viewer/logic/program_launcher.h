#pragma once
// Starting the outside programs the viewer hands work to (the print program,
// the report tools) without waiting for them.
//
// A command keeps the shape the user is shown when starting fails: the
// program path as the settings name it, then its arguments, one blank apart.
// The report viewer has no program of its own here: it is the desktop's
// opener on the file, while the command's text still names it as written.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process/process.h"

namespace kumi::viewer {

struct Command {
  std::string program;            // stored path ("DIR\name.exe") or the shown name
  std::vector<std::string> args;
  bool desktopOpen = false;       // open args[0] with the desktop's own program

  // program + " " + each argument: the command line as stored in LastCommand.
  std::string text() const;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts the command and returns at once; false with the system's
  // description in `error` when it cannot be started.
  virtual bool start(const Command& command, std::string& error) = 0;
};

// The launcher of the running program: a new process through the platform.
// Finished children are reaped at the next start, so none lingers.
class ProcessLauncher final : public ProgramLauncher {
 public:
  bool start(const Command& command, std::string& error) override;

 private:
  std::vector<platform::ChildProcess> running_;
};

}  // namespace kumi::viewer
