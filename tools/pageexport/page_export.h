#pragma once
// pageexport: page files (Enhanced Metafiles, and Windows Metafiles for
// images) to PNG at a chosen resolution, through the platform's player and
// without a window. The command line and the work are here; main.cpp only
// starts Qt.
#include <string>
#include <vector>

namespace kumi::tools {

struct ExportOptions {
  double dpi = 150;
  bool antialias = false;
  std::string outDir;  // empty: beside each input
  std::vector<std::string> inputs;
};

// Parses the arguments after the program name; false with a message for
// the user when they make no sense.
bool parseExportArgs(const std::vector<std::string>& args, ExportOptions& out, std::string& message);

// The PNG path for an input: its name with ".png" in place of its extension.
std::string pngPathFor(const std::string& input, const std::string& outDir);

// Exports one file; false with the reason when it cannot be read, played or
// written. Needs a QGuiApplication.
bool exportPage(const std::string& input, const ExportOptions& options, std::string& error);

extern const char* const kExportUsage;

}  // namespace kumi::tools
