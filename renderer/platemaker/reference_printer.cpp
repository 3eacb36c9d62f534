#include "renderer/platemaker/reference_printer.h"

#include "platform/base/message_box.h"

namespace kumi::renderer {
namespace {

constexpr size_t kEntryBytes = 63;  // a 64-byte buffer and its terminator
constexpr const char* kPrinterError = "プリンターデバイスエラー";

}  // namespace

std::optional<std::string> deviceNameOf(const std::string& entry, std::string* collected) {
  const std::string read = entry.substr(0, kEntryBytes);
  const size_t comma = read.find(',');
  if (comma == std::string::npos) {
    if (collected != nullptr) *collected = read;
    return std::nullopt;
  }
  return read.substr(0, comma);
}

std::optional<ReferencePrinter> openReferencePrinter() {
  std::string collected;
  const auto name = deviceNameOf(platform::defaultPrinterEntry(), &collected);
  if (!name) {
    platform::messageBox(collected, kPrinterError);
    return std::nullopt;
  }
  const auto caps = platform::printerCaps(*name);
  const auto geometry = caps ? geometryOf(*caps) : std::nullopt;
  if (!geometry) {
    platform::messageBox(*name, kPrinterError);
    return std::nullopt;
  }
  return ReferencePrinter{*name, *caps, *geometry};
}

}  // namespace kumi::renderer
