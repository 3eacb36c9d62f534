#include "renderer/settings/render_settings.h"

#include <fstream>
#include <limits>

#include "platform/base/message_box.h"
#include "platform/base/paths.h"
#include "renderer/settings/settings_lines.h"
#include "renderer/settings/settings_names.h"

namespace kumi::settings {
namespace {

constexpr size_t kWinprmColumn = 3;   // 3,"...
constexpr size_t kWinctlColumn = 1;   // "1"
constexpr size_t kWinfontColumn = 6;  // "F1","...
constexpr size_t kWincolorColumn = 1;
constexpr size_t kWinkeiColumn = 1;

int32_t saturate(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

int hexValue(char c) {
  if (c >= '1' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

uint8_t hexPair(std::string_view line, size_t pos) {
  const char high = pos < line.size() ? line[pos] : '\0';
  const char low = pos + 1 < line.size() ? line[pos + 1] : '\0';
  return static_cast<uint8_t>(hexValue(high) * 16 + hexValue(low));
}

}  // namespace

Rgb colourFromLine(std::string_view line) {
  Rgb c;
  c.blue = hexPair(line, kWincolorColumn);
  c.green = hexPair(line, kWincolorColumn + 2);
  c.red = hexPair(line, kWincolorColumn + 4);
  return c;
}

int32_t leadingInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    // Past 32 bits the value only needs to stay saturated.
    if (value <= std::numeric_limits<int32_t>::max()) value = value * 10 + (text[i] - '0');
  }
  return saturate(negative ? -value : value);
}

void readWinprm(std::istream& in, RenderSettings& out) {
  LineReader lines(in);
  std::string line;
  while (lines.next(line)) {
    if (line.empty()) continue;
    // File names are joined straight onto both folders: one written without
    // its closing separator still names the folder, not a prefix.
    if (line[0] == '2') out.programDir = platform::withClosingSeparator(valueAt(line, kWinprmColumn));
    else if (line[0] == '3') out.dataDir = platform::withClosingSeparator(valueAt(line, kWinprmColumn));
  }
}

void readWinctl(std::istream& in, RenderSettings& out) {
  LineReader lines(in);
  std::string line;
  if (!lines.next(line)) return;
  // A first line too short to reach the column holds no flag: neither mode.
  out.directPrint = kWinctlColumn < line.size() ? line[kWinctlColumn] : '\0';
}

bool readWinfont(std::istream& in, RenderSettings& out) {
  LineReader lines(in);
  std::string line;
  for (size_t n = 0; lines.next(line); ++n) {
    if (n == kFontLines) return false;
    out.fontFaces[n] = valueAt(line, kWinfontColumn);
  }
  return true;
}

bool readWincolor(std::istream& in, RenderSettings& out) {
  LineReader lines(in);
  std::string line;
  for (size_t n = 0; lines.next(line); ++n) {
    if (n == kColourLines) return false;
    out.userColors[n] = colourFromLine(line);
  }
  return true;
}

bool readWinkei(std::istream& in, PageMode mode, RenderSettings& out) {
  LineReader lines(in);
  std::string line;
  for (size_t n = 0; lines.next(line); ++n) {
    if (n == kRuleLines) return false;
    const int32_t value = leadingInteger(valueAt(line, kWinkeiColumn));
    if (n == kRuleLines - 1) {
      out.twipsPerPixel = value;
    } else {
      // The standard page counts in 0.01 mm, ten times finer than the large page.
      out.ruleWidths[n] = mode == PageMode::Standard ? saturate(int64_t{value} * 10) : value;
    }
  }
  return true;
}

namespace {

constexpr const char* kPathNotFound = "パスが見つかりません。";

struct SettingsFile {
  std::string_view name;
  const char* caption;
  const char* tooManyLines;  // shown when `read` says the file holds too many lines
  bool (*read)(std::istream&, PageMode, RenderSettings&);
};

const SettingsFile kSettingsFiles[] = {
    {kWinprm, "WINPRM.CFG", nullptr,
     [](std::istream& in, PageMode, RenderSettings& s) { readWinprm(in, s); return true; }},
    {kWinctl, "WINCTL.CFG", nullptr,
     [](std::istream& in, PageMode, RenderSettings& s) { readWinctl(in, s); return true; }},
    {kWinfont, "WINFONT.CFG", "外部フォントセットエラー",
     [](std::istream& in, PageMode, RenderSettings& s) { return readWinfont(in, s); }},
    {kWincolor, "WINCOLOR.CFG", "フォントカラーセットエラー",
     [](std::istream& in, PageMode, RenderSettings& s) { return readWincolor(in, s); }},
    {kWinkei, "WINKEI.CFG", "罫線の太さセットエラー",
     [](std::istream& in, PageMode m, RenderSettings& s) { return readWinkei(in, m, s); }},
};

}  // namespace

LoadResult loadRenderSettings(PageMode mode, RenderSettings& out, std::string_view storedDir) {
  for (const SettingsFile& file : kSettingsFiles) {
    std::ifstream in(settingsFilePath(storedDir, file.name), std::ios::binary);
    const bool tooManyLines = in && !file.read(in, mode, out);
    // A file that cannot be read (a folder in its place) counts as one that
    // cannot be opened.
    if (!in) {
      platform::messageBox(kPathNotFound, file.caption);
      return LoadResult{false, file.caption};
    }
    if (tooManyLines) platform::messageBox(file.tooManyLines, file.caption);
  }
  return LoadResult{};
}

}  // namespace kumi::settings
