// Character drawing into a page metafile: a full page of one face and size
// (the font cache keeps one font), the same with the size changing at every
// character (a font each), and reading the page back through emfdump.
#include <benchmark/benchmark.h>

#include "platform/emf/emf_writer.h"
#include "renderer/drawing/character_drawing.h"
#include "tools/emfdump/emfdump_format.h"

namespace {

using namespace kumi;
using namespace kumi::renderer::drawing;

constexpr int kCharacters = 2000;  // a dense A4 page of 12 Q text
const platform::ReferenceDevice kA4{4760, 6814, 201, 288, 0, 0};

std::vector<uint8_t> drawPage(bool churnSizes, int* fonts) {
  platform::EmfWriter w(kA4, {-423, -423, 20577, 29277}, "kumidesk 組版ページ");
  w.setMapMode(platform::MapMode::HiMetric);
  CharacterSettings settings;
  RuleOutline outline;
  CharacterDrawer drawer;
  pagefile::CharacterRecord r;
  r.code[0] = 0x91;
  r.code[1] = 0x67;
  r.fontLetter = 'A';
  r.cls = 'K';
  r.colour[0] = '1';
  r.direction = 'Y';
  for (int i = 0; i < kCharacters; ++i) {
    r.x = 320 + (i % 50) * 48;
    r.y = 320 + (i / 50) * 72;
    r.sizeCode = churnSizes && i % 2 == 1 ? 0xC3 : 0xC1;
    drawer.draw(r, {w, {100, 1, 1.0}, settings, outline, nullptr});
  }
  *fonts = drawer.fontsCreated();
  return w.finish();
}

void BM_DrawPageOneFont(benchmark::State& state) {
  int fonts = 0;
  size_t bytes = 0;
  for (auto _ : state) bytes = drawPage(false, &fonts).size();
  state.counters["fonts"] = fonts;
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(BM_DrawPageOneFont)->Unit(benchmark::kMillisecond);

void BM_DrawPageFontEachCharacter(benchmark::State& state) {
  int fonts = 0;
  for (auto _ : state) benchmark::DoNotOptimize(drawPage(true, &fonts));
  state.counters["fonts"] = fonts;
  state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(BM_DrawPageFontEachCharacter)->Unit(benchmark::kMillisecond);

void BM_DumpPage(benchmark::State& state) {
  int fonts = 0;
  const std::vector<uint8_t> page = drawPage(false, &fonts);
  for (auto _ : state) benchmark::DoNotOptimize(tools::formatEmf(page));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_DumpPage)->Unit(benchmark::kMillisecond);

}  // namespace
