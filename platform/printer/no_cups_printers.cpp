// Built without CUPS: no printers but the profile's and the virtual one.
#include "platform/printer/cups_printers.h"

namespace kumi::platform::cups {

std::optional<std::string> defaultPrinter() { return std::nullopt; }
std::optional<PrinterCaps> capsOf(std::string_view) { return std::nullopt; }
std::vector<std::string> printers() { return {}; }

}  // namespace kumi::platform::cups
