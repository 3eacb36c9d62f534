// Printers from CUPS: the default destination, the destinations' names and
// each one's default media and resolution.
#include "platform/printer/cups_printers.h"

#include <cups/cups.h>

namespace kumi::platform::cups {
namespace {

constexpr int kFallbackDpi = 600;

// The destination's default resolution, in dots per inch.
int defaultDpi(cups_dest_t* dest, cups_dinfo_t* info) {
  ipp_attribute_t* attr =
      cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
  if (attr == nullptr || ippGetValueTag(attr) != IPP_TAG_RESOLUTION) return kFallbackDpi;
  int yres = 0;
  ipp_res_t units = IPP_RES_PER_INCH;
  int xres = ippGetResolution(attr, 0, &yres, &units);
  if (units == IPP_RES_PER_CM) xres = static_cast<int>(xres * 2.54 + 0.5);
  return xres > 0 ? xres : kFallbackDpi;
}

}  // namespace

std::optional<std::string> defaultPrinter() {
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (dest == nullptr) return std::nullopt;
  std::string name = dest->name != nullptr ? dest->name : "";
  cupsFreeDests(1, dest);
  if (name.empty()) return std::nullopt;
  return name;
}

std::optional<PrinterCaps> capsOf(std::string_view name) {
  const std::string wanted(name);
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, wanted.c_str(), nullptr);
  if (dest == nullptr) return std::nullopt;
  std::optional<PrinterCaps> caps;
  if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
    cups_size_t media{};
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &media) != 0 &&
        media.width > 0 && media.length > 0) {
      caps = capsFromSheet(media.width, media.length, media.left, media.top, media.right,
                           media.bottom, defaultDpi(dest, info));
    }
    cupsFreeDestInfo(info);
  }
  cupsFreeDests(1, dest);
  return caps;
}

std::vector<std::string> printers() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance == nullptr && dests[i].name != nullptr) names.emplace_back(dests[i].name);
  }
  cupsFreeDests(count, dests);
  return names;
}

}  // namespace kumi::platform::cups
