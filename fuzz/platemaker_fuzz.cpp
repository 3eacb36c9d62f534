// sk.dat as platemaker reads it: every record through the record loop and
// the drawing parts into pages kept in memory, on a standard and a large
// page, in batch and in the workbench's run mode.
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/printer/printer.h"
#include "renderer/platemaker/page_drawing.h"
#include "renderer/platemaker/record_loop.h"

namespace {

using namespace kumi;

renderer::PageGeometry pageOf(int32_t physicalWidth) {
  platform::PrinterCaps caps = platform::virtualPrinterCaps();
  caps.physicalWidth = physicalWidth;
  return *renderer::geometryOf(caps);
}

void run(const std::string& bytes, const renderer::PageGeometry& geometry, char runMode) {
  settings::RenderSettings s;
  s.dataDir = "fuzz/";
  s.fontFaces[0] = "\x82\x6c\x82\x72 Gothic";
  s.ruleWidths = {10, 20, 30, 40, 50, 60, 70, 80};
  s.twipsPerPixel = 15;
  std::istringstream sk(bytes);
  renderer::PageDrawing drawing;
  renderer::NoStatus status;
  const renderer::PageFactory inMemory = [](const std::string&, const renderer::PageGeometry& g,
                                            std::string*) {
    return std::make_unique<platform::EmfWriter>(g.reference, g.frame(), "fuzz");
  };
  renderer::runRecordLoop(sk, geometry, runMode, s, drawing, status, inMemory);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const renderer::PageGeometry standard = pageOf(4960);
  static const renderer::PageGeometry large = pageOf(9000);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  run(bytes, standard, 'G');
  run(bytes, large, '2');
  return 0;
}
