#include "renderer/settings/settings_names.h"

#include "platform/base/cp932.h"
#include "platform/base/paths.h"

namespace kumi::settings {
namespace {

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::string openablePath(std::string_view stored) {
  // A value that is not valid CP932 is taken byte for byte.
  const auto utf8 = platform::cp932ToUtf8(stored);
  return platform::nativePath(utf8 ? std::string_view(*utf8) : stored);
}

std::string settingsFilePath(std::string_view storedDir, std::string_view name) {
  const std::string dir = openablePath(storedDir);
  const std::string exact = dir + std::string(name);
  if (platform::fileExists(exact)) return exact;
  for (const std::string& present : platform::listFiles(dir.empty() ? "." : dir)) {
    if (sameIgnoringAsciiCase(present, name)) return dir + present;
  }
  return exact;
}

}  // namespace kumi::settings
