#pragma once
// RenderSettings: the renderer's copy of the five settings files, filled once
// at start, and the readers that fill it exactly as the renderer reads them.
//
// Each reader takes fixed columns of positional lines (settings_lines.h).
// Fewer lines than a file holds are no error: the missing entries keep their
// defaults. More lines than a file holds stop the reading of that file; the
// reader reports it and the values read so far stay.
#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace kumi::settings {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The page mode decides how rule widths are stored (chosen from the printer
// before the settings are read).
enum class PageMode { Standard, Large };

struct RenderSettings {
  std::string programDir;                // WINPRM.cfg key 2, CP932, ends with its separator
  std::string dataDir;                   // WINPRM.cfg key 3
  char directPrint = '0';                // WINCTL.cfg: '1' print, '0' ask, else neither
  std::array<std::string, 9> fontFaces;  // WINFONT.cfg, font codes 1-9, CP932
  std::array<Rgb, 7> userColors{};       // WINCOLOR.cfg, colours 10-16 / codes A-G
  std::array<int32_t, 8> ruleWidths{};   // WINKEI.cfg lines 1-8, x10 in the standard mode
  int32_t twipsPerPixel = 0;             // WINKEI.cfg line 9
};

// How many lines each file holds; one more is the too-many-lines error.
inline constexpr size_t kFontLines = 9;
inline constexpr size_t kColourLines = 7;
inline constexpr size_t kRuleLines = 9;

// WINPRM.cfg: every line; key '2' gives ProgramDir, key '3' DataDir, from
// column 3; a later line with the same key wins.
void readWinprm(std::istream& in, RenderSettings& out);
// WINCTL.cfg: column 1 of the first line; an empty file leaves '0'.
void readWinctl(std::istream& in, RenderSettings& out);
// The readers of the counted files return false when the file has more lines
// than it holds (the error line itself is not taken).
bool readWinfont(std::istream& in, RenderSettings& out);
bool readWincolor(std::istream& in, RenderSettings& out);
bool readWinkei(std::istream& in, PageMode mode, RenderSettings& out);

// One colour line: six characters from column 1, blue, green and red as two
// hexadecimal digits each; a character that is no digit 1-9, A-F or a-f
// (and every character past the end of the line) counts 0.
Rgb colourFromLine(std::string_view line);
// A leading decimal number: blanks, an optional sign, digits; no digits give
// 0 and values beyond 32 bits saturate.
int32_t leadingInteger(std::string_view text);

// What loading the five files came to.
struct LoadResult {
  bool ok = true;
  std::string failedCaption;  // "WINPRM.CFG" ... when a file could not be opened
};

// Loads the five files from `storedDir` (empty: the current directory) in the
// order WINPRM, WINCTL, WINFONT, WINCOLOR, WINKEI. Shows the renderer's
// messages: "パスが見つかりません。" for a file that cannot be opened (the load
// stops there; the caller ends with status 1) and the too-many-lines
// messages, after which the load carries on.
LoadResult loadRenderSettings(PageMode mode, RenderSettings& out, std::string_view storedDir = {});

}  // namespace kumi::settings
