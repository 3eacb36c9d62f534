#include "platform/printer/printer.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "platform/printer/cups_printers.h"

namespace kumi::platform {
namespace {

std::string sectionOf(std::string_view deviceName) {
  return "Printer " + std::string(deviceName);
}

// A whole number and nothing else; nullopt for anything else.
std::optional<int32_t> integer(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  int32_t v = 0;
  const char* end = text->data() + text->size();
  const auto [ptr, ec] = std::from_chars(text->data(), end, v);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

int32_t pixelsToMillimetres(int32_t pixels, int32_t dpi) {
  return static_cast<int32_t>(std::lround(pixels * 25.4 / dpi));
}

bool usable(const PrinterCaps& c) {
  return c.physicalWidth > 0 && c.physicalHeight > 0 && c.logPixelsX > 0 && c.logPixelsY > 0 &&
         c.physicalOffsetX >= 0 && c.physicalOffsetY >= 0 && c.horzRes > 0 && c.vertRes > 0 &&
         c.horzSize > 0 && c.vertSize > 0 &&
         int64_t{c.physicalOffsetX} + c.horzRes <= c.physicalWidth &&
         int64_t{c.physicalOffsetY} + c.vertRes <= c.physicalHeight;
}

}  // namespace

std::string defaultPrinterEntry(const IniFile& profile,
                                const std::optional<std::string>& cupsDefault) {
  if (auto entry = profile.value("Windows", "device")) return *entry;
  if (cupsDefault && !cupsDefault->empty()) return *cupsDefault + ",CUPS," + *cupsDefault + ":";
  return std::string(kVirtualPrinterEntry);
}

std::string defaultPrinterEntry() {
  const IniFile profile = loadProfile();
  // CUPS is asked only when the profile names no printer.
  if (auto entry = profile.value("Windows", "device")) return *entry;
  return defaultPrinterEntry(profile, cups::defaultPrinter());
}

bool profileHasPrinter(const IniFile& profile, std::string_view deviceName) {
  return profile.hasSection(sectionOf(deviceName));
}

std::optional<PrinterCaps> printerCapsFromProfile(const IniFile& profile,
                                                  std::string_view deviceName) {
  const std::string section = sectionOf(deviceName);
  if (!profile.hasSection(section)) return std::nullopt;
  auto key = [&](std::string_view name) { return profile.value(section, name); };
  // A key that is present must be a number; an absent one takes its default.
  auto optionalKey = [&](std::string_view name, int32_t fallback) -> std::optional<int32_t> {
    const auto text = key(name);
    return text ? integer(text) : std::optional<int32_t>(fallback);
  };
  const auto width = integer(key("PHYSICALWIDTH"));
  const auto height = integer(key("PHYSICALHEIGHT"));
  const auto dpiX = integer(key("LOGPIXELSX"));
  if (!width || !height || !dpiX || *dpiX <= 0) return std::nullopt;
  const auto dpiY = optionalKey("LOGPIXELSY", *dpiX);
  const auto offX = optionalKey("PHYSICALOFFSETX", 0);
  const auto offY = optionalKey("PHYSICALOFFSETY", 0);
  if (!dpiY || *dpiY <= 0 || !offX || !offY) return std::nullopt;
  // Profile values are untrusted: defaults are worked out wide and narrowed
  // only when they fit (usable() rejects what does not).
  auto remaining = [](int32_t whole, int32_t margin) {
    const int64_t v = int64_t{whole} - 2 * int64_t{margin};
    return v < 0 || v > INT32_MAX ? int32_t{0} : static_cast<int32_t>(v);
  };
  const auto horzRes = optionalKey("HORZRES", remaining(*width, *offX));
  const auto vertRes = optionalKey("VERTRES", remaining(*height, *offY));
  if (!horzRes || !vertRes) return std::nullopt;
  const auto horzSize = optionalKey("HORZSIZE", pixelsToMillimetres(*horzRes, *dpiX));
  const auto vertSize = optionalKey("VERTSIZE", pixelsToMillimetres(*vertRes, *dpiY));
  if (!horzSize || !vertSize) return std::nullopt;

  PrinterCaps c{*width, *height, *offX, *offY, *horzRes, *vertRes,
                *horzSize, *vertSize, *dpiX, *dpiY,
                *width > *height ? PrinterOrientation::Landscape : PrinterOrientation::Portrait};
  if (const auto o = key("orientation")) {
    if (*o == "1" || *o == "portrait") c.orientation = PrinterOrientation::Portrait;
    else if (*o == "2" || *o == "landscape") c.orientation = PrinterOrientation::Landscape;
    else return std::nullopt;
  }
  if (!usable(c)) return std::nullopt;
  return c;
}

PrinterCaps capsFromSheet(int32_t width, int32_t length, int32_t left, int32_t top,
                          int32_t right, int32_t bottom, int32_t dpi) {
  auto px = [dpi](int32_t hundredthsMm) {
    return static_cast<int32_t>(std::lround(hundredthsMm / 2540.0 * dpi));
  };
  PrinterCaps c;
  c.physicalWidth = px(width);
  c.physicalHeight = px(length);
  c.physicalOffsetX = px(left);
  c.physicalOffsetY = px(top);
  c.horzRes = c.physicalWidth - c.physicalOffsetX - px(right);
  c.vertRes = c.physicalHeight - c.physicalOffsetY - px(bottom);
  c.horzSize = (width - left - right) / 100;
  c.vertSize = (length - top - bottom) / 100;
  c.logPixelsX = c.logPixelsY = dpi;
  c.orientation = width > length ? PrinterOrientation::Landscape : PrinterOrientation::Portrait;
  return c;
}

PrinterCaps virtualPrinterCaps() {
  return PrinterCaps{4960, 7014, 100, 100, 4760, 6814, 201, 288, 600, 600,
                     PrinterOrientation::Portrait};
}

bool isVirtualPrinter(std::string_view deviceName) { return deviceName == kVirtualPrinterName; }

std::optional<PrinterCaps> printerCaps(std::string_view deviceName) {
  const IniFile profile = loadProfile();
  if (profileHasPrinter(profile, deviceName)) return printerCapsFromProfile(profile, deviceName);
  if (isVirtualPrinter(deviceName)) return virtualPrinterCaps();
  if (auto caps = cups::capsOf(deviceName); caps && usable(*caps)) return caps;
  return std::nullopt;
}

std::vector<std::string> printerNames() { return cups::printers(); }

}  // namespace kumi::platform
