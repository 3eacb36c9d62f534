#pragma once
// Where the settings files live and how their names are spelled.
//
// On the system's home platform file names ignore case, and its programs
// spell these names differently ("WINPRM.cfg", "winprm.cfg"). Here a name is
// found in its directory without regard to ASCII case; a file that does not
// exist yet gets the canonical spelling below, which is also the one the
// engine opens.
#include <string>
#include <string_view>

namespace kumi::settings {

inline constexpr std::string_view kWinprm = "WINPRM.cfg";
inline constexpr std::string_view kWinctl = "WINCTL.cfg";
inline constexpr std::string_view kWinfont = "WINFONT.cfg";
inline constexpr std::string_view kWincolor = "WINCOLOR.cfg";
inline constexpr std::string_view kWinkei = "WINKEI.cfg";
inline constexpr std::string_view kWinpage = "winpage.cfg";

// A stored path (a settings value, CP932, "\" or "/" separators) as a path
// the file system opens: CP932 names become the UTF-8 names of this system.
std::string openablePath(std::string_view stored);

// The file `name` in the directory `storedDir` (a stored directory value
// ending with its separator, or empty for the current directory), as an
// openable path: an existing file whose name matches without regard to case,
// else `name` as given.
std::string settingsFilePath(std::string_view storedDir, std::string_view name);

}  // namespace kumi::settings
