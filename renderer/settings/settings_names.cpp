#include "renderer/settings/settings_names.h"

#include "platform/base/paths.h"

namespace kumi::settings {

std::string openablePath(std::string_view stored) { return platform::openablePath(stored); }

std::string settingsFilePath(std::string_view storedDir, std::string_view name) {
  return platform::fileInDirectory(storedDir, name);
}

}  // namespace kumi::settings
