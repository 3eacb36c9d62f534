#pragma once
// Writing the settings files, as the workbench saves its editors.
//
// A file is written to a new file beside it and renamed into place, so a
// reader sees the old file or the new one, never half of one, and a crash
// leaves the old file standing. Values are CP932 text; the line syntax has
// no escape, so a value holding a double quote or a line break is refused
// rather than written into a file that would read back differently.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kumi::settings {

// The eight program paths of WINPRM.cfg, named by their settings.
struct ProgramPaths {
  std::string dataDir;             // key 3, file line 1
  std::string clientProgram;       // key 4, line 2
  std::string imageTool;           // key 5, line 3
  std::string viewerProgram;       // key 1, line 4
  std::string programDir;          // key 2, line 5
  std::string pageEditProgram;     // key 7, line 6
  std::string devProgram;          // key 6, line 7
  std::string spreadsheetProgram;  // key 8, line 8
};

// The file contents, CR LF lines; nullopt when a value cannot be written.
std::optional<std::string> formatWinprm(const ProgramPaths& paths);
std::optional<std::string> formatWinctl(std::string_view directPrint);
std::optional<std::string> formatWinfont(const std::array<std::string, 9>& faces);
std::optional<std::string> formatWincolor(const std::array<std::string, 7>& colours);
std::optional<std::string> formatWinkei(const std::array<std::string, 9>& widths);

// One quoted item, or nullopt for a value holding '"', CR or LF.
std::optional<std::string> quoted(std::string_view value);

struct WriteResult {
  bool ok = false;
  std::string error;  // the system's description of what failed
};

// Replaces the file at `openablePath` (settings_names.h) with `contents`:
// written beside it under a temporary name, flushed to disk, renamed over it.
// An existing file keeps its permissions.
WriteResult replaceFile(const std::string& openablePath, std::string_view contents);

// Formats and replaces one settings file in `storedDir` (empty: the current
// directory), found as settingsFilePath() finds it.
WriteResult writeWinprm(std::string_view storedDir, const ProgramPaths& paths);
WriteResult writeWinctl(std::string_view storedDir, std::string_view directPrint);
WriteResult writeWinfont(std::string_view storedDir, const std::array<std::string, 9>& faces);
WriteResult writeWincolor(std::string_view storedDir, const std::array<std::string, 7>& colours);
WriteResult writeWinkei(std::string_view storedDir, const std::array<std::string, 9>& widths);

}  // namespace kumi::settings
