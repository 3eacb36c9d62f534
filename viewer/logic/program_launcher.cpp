#include "viewer/logic/program_launcher.h"

#include <algorithm>

namespace kumi::viewer {

std::string Command::text() const {
  std::string line = program;
  for (const std::string& a : args) line += " " + a;
  return line;
}

bool ProcessLauncher::start(const Command& command, std::string& error) {
  std::erase_if(running_, [](platform::ChildProcess& c) {
    return c.wait(0) != platform::kStillActive;
  });
  std::optional<platform::ChildProcess> child;
  if (command.desktopOpen) {
    if (command.args.empty()) {
      error = "no file to open";
      return false;
    }
    child = platform::openWithDesktop(command.args.front(), &error);
  } else {
    child = platform::ChildProcess::start(command.program, command.args, &error);
  }
  if (!child) return false;
  running_.push_back(std::move(*child));
  return true;
}

}  // namespace kumi::viewer
