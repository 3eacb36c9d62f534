#include "renderer/settings/settings_writer.h"

#include "renderer/settings/replacement_file.h"
#include "renderer/settings/settings_names.h"

namespace kumi::settings {
namespace {

constexpr std::string_view kBreak = "\r\n";

std::optional<std::string> quotedLines(const std::string* values, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const auto item = quoted(values[i]);
    if (!item) return std::nullopt;
    text += *item;
    text += kBreak;
  }
  return text;
}

WriteResult writeFormatted(std::string_view storedDir, std::string_view name,
                           const std::optional<std::string>& text) {
  if (!text) return WriteResult{false, "a value holds a double quote or a line break"};
  return replaceFile(settingsFilePath(storedDir, name), *text);
}

}  // namespace

std::optional<std::string> quoted(std::string_view value) {
  if (value.find_first_of("\"\r\n") != std::string_view::npos) return std::nullopt;
  return "\"" + std::string(value) + "\"";
}

std::optional<std::string> formatWinprm(const ProgramPaths& p) {
  struct Line { char key; const std::string* value; };
  // The engine reads only the first line, so DataDir (key 3) must lead.
  const Line lines[] = {{'3', &p.dataDir},    {'4', &p.clientProgram}, {'5', &p.imageTool},
                        {'1', &p.viewerProgram}, {'2', &p.programDir}, {'7', &p.pageEditProgram},
                        {'6', &p.devProgram}, {'8', &p.spreadsheetProgram}};
  std::string text;
  for (const Line& line : lines) {
    const auto item = quoted(*line.value);
    if (!item) return std::nullopt;
    text += line.key;
    text += ',';
    text += *item;
    text += kBreak;
  }
  return text;
}

std::optional<std::string> formatWinctl(std::string_view directPrint) {
  const std::string value(directPrint);
  return quotedLines(&value, 1);
}

std::optional<std::string> formatWinfont(const std::array<std::string, 9>& faces) {
  std::string text;
  for (size_t i = 0; i < faces.size(); ++i) {
    const auto face = quoted(faces[i]);
    if (!face) return std::nullopt;
    text += "\"F" + std::to_string(i + 1) + "\"," + *face;
    text += kBreak;
  }
  return text;
}

std::optional<std::string> formatWincolor(const std::array<std::string, 7>& colours) {
  return quotedLines(colours.data(), colours.size());
}

std::optional<std::string> formatWinkei(const std::array<std::string, 9>& widths) {
  return quotedLines(widths.data(), widths.size());
}

WriteResult replaceFile(const std::string& path, std::string_view contents) {
  ReplacementFile file;
  if (file.create(path) && file.write(contents) && file.commit()) return WriteResult{true, {}};
  return WriteResult{false, file.error()};
}

WriteResult writeWinprm(std::string_view storedDir, const ProgramPaths& paths) {
  return writeFormatted(storedDir, kWinprm, formatWinprm(paths));
}
WriteResult writeWinctl(std::string_view storedDir, std::string_view directPrint) {
  return writeFormatted(storedDir, kWinctl, formatWinctl(directPrint));
}
WriteResult writeWinfont(std::string_view storedDir, const std::array<std::string, 9>& faces) {
  return writeFormatted(storedDir, kWinfont, formatWinfont(faces));
}
WriteResult writeWincolor(std::string_view storedDir, const std::array<std::string, 7>& colours) {
  return writeFormatted(storedDir, kWincolor, formatWincolor(colours));
}
WriteResult writeWinkei(std::string_view storedDir, const std::array<std::string, 9>& widths) {
  return writeFormatted(storedDir, kWinkei, formatWinkei(widths));
}

}  // namespace kumi::settings
