#include "viewer/logic/viewer_config.h"

#include <fstream>

#include "platform/base/cp932.h"
#include "platform/base/paths.h"
#include "renderer/settings/page_range_file.h"
#include "renderer/settings/settings_lines.h"
#include "renderer/settings/settings_names.h"
#include "viewer/logic/page_names.h"

namespace kumi::viewer {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Settings values are CP932; a value that is not valid CP932 is kept byte for
// byte, so that a path the file system knows still opens.
std::string fromCp932(std::string_view value) {
  auto utf8 = platform::cp932ToUtf8(value);
  return utf8 ? *utf8 : std::string(value);
}

StartupFailure failure(std::string caption, std::string_view why, const std::string& path) {
  return {std::move(caption), std::string(why) + "\n" + path};
}

// One record a line; its quoted items in order. False past the last line.
bool readRecord(settings::LineReader& lines, std::vector<std::string>& items) {
  std::string line;
  if (!lines.next(line)) return false;
  items = settings::splitItems(line);
  return true;
}

std::optional<StartupFailure> readWinprm(const std::string& path, ViewerState& state) {
  const std::string caption = "winprm.cfg";
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure(caption, kFileNotFound, path);
  settings::LineReader lines(in);
  std::vector<std::string> items;
  for (int record = 1; record <= 8; ++record) {
    if (!readRecord(lines, items)) return failure(caption, kPastEndOfFile, path);
    // Each record is a key and a quoted text; only records 1 and 5 are used.
    // Both folders get their closing separator: page and settings names are
    // joined straight onto them.
    const std::string text =
        items.size() >= 2 ? fromCp932(platform::withClosingSeparator(items[1])) : std::string();
    if (record == 1) state.dataDir = text;
    if (record == 5) state.programDir = text;
  }
  return std::nullopt;
}

std::optional<StartupFailure> readWinfont(const std::string& path) {
  // Read and not used: the file must exist and hold five records.
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure(path, kFileNotFound, path);
  settings::LineReader lines(in);
  std::vector<std::string> items;
  for (int record = 1; record <= 5; ++record) {
    if (!readRecord(lines, items)) return failure(path, kPastEndOfFile, path);
  }
  return std::nullopt;
}

std::optional<StartupFailure> readWinpage(const std::string& caption, ViewerState& state) {
  // ProgramDir is already UTF-8 here: only the separators change, a second
  // conversion from CP932 would turn a Japanese folder name into another.
  const std::string path =
      platform::fileInNativeDirectory(platform::nativePath(state.programDir), settings::kWinpage);
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure(caption, kFileNotFound, path);
  const settings::PageRange range = settings::readPageRange(in);
  if (range.lines < 2) return failure(caption, kPastEndOfFile, path);
  state.firstPage = fourCharField(fromCp932(range.first));
  state.lastPage = fourCharField(fromCp932(range.last));
  return std::nullopt;
}

}  // namespace

bool isViewerArgument(const std::vector<std::string>& args) {
  std::string joined;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += args[i];
  }
  size_t b = 0, e = joined.size();
  while (b < e && isBlank(joined[b])) ++b;
  while (e > b && isBlank(joined[e - 1])) --e;
  return joined.substr(b, e - b) == "G";
}

int centredOffset(double screenExtent, double windowExtent) {
  const double difference = roundHalfEven(screenExtent - windowExtent);
  if (!(difference >= -2147483647.0 && difference <= 2147483647.0)) return 0;
  return static_cast<int>(difference) / 2;
}

std::optional<StartupFailure> readViewerConfig(std::string_view programFolder, ViewerState& state) {
  const std::string folder(programFolder);
  if (auto f = readWinprm(platform::fileInNativeDirectory(folder, settings::kWinprm), state)) return f;
  // From here on a failure names WINFONT.cfg's full path, winpage.cfg's too.
  const std::string fontPath = platform::fileInNativeDirectory(folder, settings::kWinfont);
  if (auto f = readWinfont(fontPath)) return f;
  return readWinpage(fontPath, state);
}

}  // namespace kumi::viewer
