// platemaker's record loop: a run of typical pages (characters in lines,
// a ruled box per page) turned into page metafiles kept in memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "platform/printer/printer.h"
#include "renderer/platemaker/page_drawing.h"
#include "renderer/platemaker/record_loop.h"

namespace {

using namespace kumi;

// `pages` pages of 40 lines × 50 characters of 12 Q Mincho, each page
// framed by a box.
std::string typicalRun(int pages) {
  std::string bytes;
  for (int p = 1; p <= pages; ++p) {
    char name[12];
    std::snprintf(name, sizeof name, "%04d", p);
    pagefile::ShapeColoursRecord k2;
    std::copy_n(name, 4, k2.page.begin());
    k2.shape = 'B';
    pagefile::ShapeRecord k1;
    std::copy_n(name, 4, k1.page.begin());
    k1 = {k1.page, 400, 400, 4400, 3000, '1', 'O', 'B'};
    for (const auto& r : {pagefile::encode(k2), pagefile::encode(k1)}) {
      bytes.append(reinterpret_cast<const char*>(r.data()), r.size());
    }
    for (int line = 0; line < 40; ++line) {
      for (int c = 0; c < 50; ++c) {
        pagefile::CharacterRecord ch;
        std::copy_n(name, 4, ch.page.begin());
        ch.x = 480 + c * 48;
        ch.y = 480 + line * 96;
        ch.code[0] = 0x88;
        ch.code[1] = static_cast<uint8_t>(0x9F + (c % 90));
        ch.fontLetter = 'A';
        ch.sizeCode = 0xC1;  // 12 Q
        ch.colour[0] = '1';
        const auto r = pagefile::encode(ch);
        bytes.append(reinterpret_cast<const char*>(r.data()), r.size());
      }
    }
  }
  return bytes;
}

void RecordLoop(benchmark::State& state) {
  const std::string bytes = typicalRun(static_cast<int>(state.range(0)));
  const renderer::PageGeometry geometry = *renderer::geometryOf(platform::virtualPrinterCaps());
  settings::RenderSettings s;
  s.ruleWidths = {10, 20, 30, 40, 50, 60, 70, 80};
  const renderer::PageFactory inMemory = [](const std::string&, const renderer::PageGeometry& g,
                                            std::string*) {
    return std::make_unique<platform::EmfWriter>(g.reference, g.frame(), "bench");
  };
  for (auto _ : state) {
    std::istringstream sk(bytes);
    renderer::PageDrawing drawing;
    renderer::NoStatus status;
    const auto result = renderer::runRecordLoop(sk, geometry, '2', s, drawing, status, inMemory);
    benchmark::DoNotOptimize(result.pageCount);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bytes.size() / 25));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(RecordLoop)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
