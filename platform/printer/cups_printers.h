#pragma once
// What CUPS says about its printers. The build picks the CUPS-backed source
// or the one that knows no printers, so nothing else needs to know which.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/printer/printer.h"

namespace kumi::platform::cups {

std::optional<std::string> defaultPrinter();
std::optional<PrinterCaps> capsOf(std::string_view name);
std::vector<std::string> printers();

}  // namespace kumi::platform::cups
