// pageexport: page files to PNG images, without a window.
#include <QGuiApplication>
#include <cstdio>

#include "tools/pageexport/page_export.h"

int main(int argc, char** argv) {
  // No display is needed; a caller may still choose a platform.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::vector<std::string> args(argv + 1, argv + argc);
  kumi::tools::ExportOptions options;
  std::string message;
  if (!kumi::tools::parseExportArgs(args, options, message)) {
    std::fprintf(stderr, "pageexport: %s\n%s", message.c_str(),
                 message == kumi::tools::kExportUsage ? "" : kumi::tools::kExportUsage);
    return 2;
  }
  QGuiApplication app(argc, argv);
  int status = 0;
  for (const std::string& input : options.inputs) {
    std::string error;
    if (kumi::tools::exportPage(input, options, error)) {
      std::printf("%s\n", kumi::tools::pngPathFor(input, options.outDir).c_str());
    } else {
      std::fprintf(stderr, "pageexport: %s\n", error.c_str());
      status = 1;
    }
  }
  return status;
}
