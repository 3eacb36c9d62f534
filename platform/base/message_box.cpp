#include "platform/base/message_box.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kumi::platform {
namespace {

MessageBoxPresenter g_presenter = nullptr;

std::string escapeBreaks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

bool allows(MsgButtons buttons, MsgAnswer answer) {
  switch (buttons) {
    case MsgButtons::Ok: return answer == MsgAnswer::Ok;
    case MsgButtons::OkCancel: return answer == MsgAnswer::Ok || answer == MsgAnswer::Cancel;
    case MsgButtons::YesNo: return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesNoCancel: return answer != MsgAnswer::Ok;
  }
  return false;
}

// The scripted answer, when it names a button the box has.
MsgAnswer scriptedAnswer(MsgButtons buttons) {
  const char* v = std::getenv("KUMI_MSGBOX_ANSWER");
  if (v == nullptr) return defaultAnswer(buttons);
  struct Name { const char* text; MsgAnswer answer; };
  static const Name names[] = {{"ok", MsgAnswer::Ok}, {"yes", MsgAnswer::Yes},
                               {"no", MsgAnswer::No}, {"cancel", MsgAnswer::Cancel}};
  for (const Name& n : names) {
    if (std::strcmp(v, n.text) == 0 && allows(buttons, n.answer)) return n.answer;
  }
  return defaultAnswer(buttons);
}

// One write on a file opened for appending: programs started side by side
// share the log, and a line written in pieces could be split by another's.
bool appendLine(const char* path, const std::string& line) {
  const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < line.size()) {
    const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return ::close(fd) == 0 && done == line.size();
}

void toConsole(std::string_view text, std::string_view caption) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
}

}  // namespace

MsgAnswer defaultAnswer(MsgButtons buttons) {
  return (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) ? MsgAnswer::Yes
                                                                              : MsgAnswer::Ok;
}

std::string messageLogLine(std::string_view caption, std::string_view text) {
  return escapeBreaks(caption) + "\t" + escapeBreaks(text) + "\n";
}

void setMessageBoxPresenter(MessageBoxPresenter presenter) { g_presenter = presenter; }

MsgAnswer messageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                     MsgIcon icon) {
  if (const char* log = std::getenv("KUMI_MSGBOX_LOG"); log != nullptr && *log != '\0') {
    // A log that cannot be written must not swallow the message.
    if (!appendLine(log, messageLogLine(caption, text))) toConsole(text, caption);
    return scriptedAnswer(buttons);
  }
  if (g_presenter != nullptr) return g_presenter(text, caption, buttons, icon);
  toConsole(text, caption);
  return defaultAnswer(buttons);
}

}  // namespace kumi::platform
