#include "renderer/platemaker/run_mode.h"

namespace kumi::renderer {

std::string argumentText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

char runModeOf(const std::string& argumentText) {
  return argumentText.empty() ? '\0' : argumentText.front();
}

}  // namespace kumi::renderer
