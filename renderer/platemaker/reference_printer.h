#pragma once
// The reference printer every page is measured against: the default
// printer of the profile entry "device" of section "Windows". The profile is
// this system's own configuration file, so its text is UTF-8.
#include <optional>
#include <string>

#include "platform/printer/printer.h"
#include "renderer/platemaker/page_geometry.h"

namespace kumi::renderer {

struct ReferencePrinter {
  std::string deviceName;
  platform::PrinterCaps caps;
  PageGeometry geometry;
};

// The device name of a profile entry: the text before the first comma of
// its first 63 bytes (the entry is read into 64 bytes). nullopt when there
// is no comma; `collected` then holds the text read.
std::optional<std::string> deviceNameOf(const std::string& entry, std::string* collected);

// Opens the reference printer. When the entry holds no comma or the printer
// cannot be used, shows the device name collected so far under the caption
// "プリンターデバイスエラー" and returns nullopt.
std::optional<ReferencePrinter> openReferencePrinter();

}  // namespace kumi::renderer
