// Rules and shapes into a page metafile: a ruled form of 1000 rules and
// boxes with hatches and outlines, and a whole A4 sheet under the tint
// screen (the dearest record there is: one pixel record every 37 units).
#include <benchmark/benchmark.h>

#include "platform/emf/emf_writer.h"
#include "renderer/shapes/shape_drawer.h"

namespace {

using namespace kumi;
using namespace kumi::renderer::shapes;

const platform::ReferenceDevice kA4{4760, 6814, 201, 288, 0, 0};
constexpr ShapePage kPage{100, 1, 20997, 29693, 423, 423, false};

pagefile::ShapeRecord shape(char code, int32_t y1, int32_t x1, int32_t y2, int32_t x2, char fill,
                            char lineType) {
  pagefile::ShapeRecord r;
  r.y1 = y1;
  r.x1 = x1;
  r.y2 = y2;
  r.x2 = x2;
  r.fill = fill;
  r.lineType = lineType;
  r.shape = code;
  return r;
}

settings::RenderSettings ruleSettings() {
  settings::RenderSettings s;
  s.ruleWidths = {10, 20, 30, 40, 50, 60, 70, 80};
  return s;
}

void BM_RuledForm(benchmark::State& state) {
  const settings::RenderSettings s = ruleSettings();
  pagefile::ShapeColoursRecord k2;
  k2.colour = '5';
  k2.outlineColour = '1';
  size_t bytes = 0;
  for (auto _ : state) {
    platform::EmfWriter w(kA4, {-423, -423, 20574, 29270}, "kumidesk 組版ページ");
    w.setMapMode(platform::MapMode::HiMetric);
    ShapeDrawer drawer;
    const ShapeContext ctx{w, kPage, s};
    for (int i = 0; i < 250; ++i) {
      const int32_t y = 320 + (i % 50) * 80, x = 320 + (i / 50) * 600;
      drawer.draw(shape('Y', y, x, x + 560, 0, '1', 'O'), ctx);
      drawer.draw(shape('T', y, x, y + 70, 0, '1', 'N'), ctx);
      drawer.attributes(k2, ctx);
      drawer.draw(shape('B', y + 10, x + 10, y + 60, x + 200, '4', 'A'), ctx);
      drawer.draw(shape('O', y + 10, x + 300, y + 60, x + 400, '0', 'O'), ctx);
    }
    bytes = w.finish().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["emf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RuledForm)->Unit(benchmark::kMillisecond);

void BM_TintScreenWholeSheet(benchmark::State& state) {
  const settings::RenderSettings s = ruleSettings();
  size_t bytes = 0;
  for (auto _ : state) {
    platform::EmfWriter w(kA4, {-423, -423, 20574, 29270}, "kumidesk 組版ページ");
    w.setMapMode(platform::MapMode::HiMetric);
    ShapeDrawer drawer;
    drawer.draw(shape('B', -67, -67, 4684, 3292, '8', 'O'), {w, kPage, s});
    bytes = w.finish().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["emf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TintScreenWholeSheet)->Unit(benchmark::kMillisecond);

}  // namespace
