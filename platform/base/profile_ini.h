#pragma once
// The profile: an ini file standing in for the Windows profile ("win.ini").
//
// Sections and keys match without regard to ASCII case, as GetProfileString
// does; the first occurrence of a key wins. Lines are "[section]",
// "key=value" and ";" comments; anything else is ignored.
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kumi::platform {

class IniFile {
 public:
  static IniFile parse(std::string_view text);
  // An unreadable or missing file gives an empty profile.
  static IniFile load(const std::string& path);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  std::string valueOr(std::string_view section, std::string_view key,
                      std::string_view fallback) const;
  bool hasSection(std::string_view section) const;

 private:
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

// The profile's file: $KUMI_PROFILE, else $XDG_CONFIG_HOME/kumi/profile.ini,
// else ~/.config/kumi/profile.ini.
std::string profilePath();
IniFile loadProfile();

}  // namespace kumi::platform
