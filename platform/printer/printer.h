#pragma once
// The default printer and its device capabilities.
//
// The programs ask for the profile entry "device" of section "Windows"
// ("NAME,DRIVER,PORT") and then for the named printer's capabilities. The
// entry comes from the profile (profile_ini.h) when it has one, else from
// the CUPS default printer ("NAME,CUPS,NAME:"), else it names the built-in
// virtual printer, so a fresh machine can still convert and print to PDF.
// Capabilities come from a "[Printer NAME]" section of the profile, else
// from CUPS, else (for the virtual printer) from a fixed A4 sheet at 600 dpi.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/profile_ini.h"

namespace kumi::platform {

inline constexpr std::string_view kVirtualPrinterName = "KUMI PDF";
inline constexpr std::string_view kVirtualPrinterEntry = "KUMI PDF,KUMIPDF,FILE:";

enum class PrinterOrientation { Portrait = 1, Landscape = 2 };  // DMORIENT_* values

// What GetDeviceCaps reports for a printer: device pixels, millimetres, dpi.
struct PrinterCaps {
  int32_t physicalWidth = 0;    // PHYSICALWIDTH, the whole sheet
  int32_t physicalHeight = 0;   // PHYSICALHEIGHT
  int32_t physicalOffsetX = 0;  // PHYSICALOFFSETX, unprintable left margin
  int32_t physicalOffsetY = 0;  // PHYSICALOFFSETY, unprintable top margin
  int32_t horzRes = 0;          // HORZRES, printable width
  int32_t vertRes = 0;          // VERTRES, printable height
  int32_t horzSize = 0;         // HORZSIZE, printable width in mm
  int32_t vertSize = 0;         // VERTSIZE, printable height in mm
  int32_t logPixelsX = 0;       // LOGPIXELSX, dpi
  int32_t logPixelsY = 0;       // LOGPIXELSY
  PrinterOrientation orientation = PrinterOrientation::Portrait;
  friend bool operator==(const PrinterCaps&, const PrinterCaps&) = default;
};

// The profile entry "device" of section "Windows" as the programs read it.
std::string defaultPrinterEntry();
// The same choice over a given profile and CUPS default (for tests).
std::string defaultPrinterEntry(const IniFile& profile,
                                const std::optional<std::string>& cupsDefault);

// The capabilities of the printer `deviceName`; nullopt when no such printer
// is known or its values are unusable (a printer context cannot be made).
std::optional<PrinterCaps> printerCaps(std::string_view deviceName);

// The "[Printer NAME]" section of a profile. It must give PHYSICALWIDTH,
// PHYSICALHEIGHT and LOGPIXELSX; the other keys default to what those imply
// (no offsets, the whole sheet printable, LOGPIXELSY = LOGPIXELSX, the
// orientation of the sheet's shape). nullopt when the section is missing or
// unusable: a required key missing, a value that is no number, a size or
// resolution that is not positive, or offsets that leave no sheet.
bool profileHasPrinter(const IniFile& profile, std::string_view deviceName);
std::optional<PrinterCaps> printerCapsFromProfile(const IniFile& profile,
                                                  std::string_view deviceName);

// The capabilities of a sheet of `width` x `length` hundredths of a
// millimetre with unprintable margins (also in hundredths of a millimetre),
// at `dpi` in both directions, as CUPS describes its media.
PrinterCaps capsFromSheet(int32_t width, int32_t length, int32_t left, int32_t top,
                          int32_t right, int32_t bottom, int32_t dpi);

// A4 portrait at 600 dpi: 4960 x 7014 pixels, offsets 100 x 100, printable
// 4760 x 6814 pixels, 201 x 288 mm.
PrinterCaps virtualPrinterCaps();
bool isVirtualPrinter(std::string_view deviceName);

// The printers CUPS knows (empty without CUPS).
std::vector<std::string> printerNames();

}  // namespace kumi::platform
