// Rule and shape records as the renderer draws them: a page set-up from the
// first 36 bytes, then 25-byte records made K1 or K2 by the low bit of byte
// 23. Whatever the records hold, the page must stay a well-formed metafile.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/pagefile/page_record.h"
#include "platform/emf/emf_writer.h"
#include "renderer/shapes/shape_drawer.h"
#include "tools/emfdump/emfdump_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kumi;
  constexpr size_t kSetup = 36;
  if (size < kSetup) return 0;
  const std::span<const uint8_t> bytes(data, size);
  // A sheet of 10 to 112 mm a side keeps the tint screens small; the page
  // mode, the run mode and the eight rule widths come from the input.
  renderer::shapes::ShapePage page;
  const bool large = (data[0] & 1) != 0;
  page.pageScale = large ? 10 : 100;
  page.sizeDivisor = large ? 10 : 1;
  page.batch = (data[0] & 2) != 0;
  page.pw = 1000 + data[1] * 40;
  page.ph = 1000 + data[2] * 40;
  page.ox = data[3] * 2;
  page.oy = data[3] * 3;
  settings::RenderSettings s;
  for (size_t i = 0; i < 8; ++i) s.ruleWidths[i] = pagefile::readI32LE(bytes, 4 + 4 * i);

  platform::EmfWriter dc({4760, 6814, 201, 288}, {-page.ox, -page.oy, page.pw - page.ox, page.ph - page.oy}, "fuzz");
  dc.setMapMode(large ? platform::MapMode::LoMetric : platform::MapMode::HiMetric);
  renderer::shapes::ShapeDrawer drawer(2000);
  const renderer::shapes::ShapeContext ctx{dc, page, s};
  for (size_t at = kSetup; at + pagefile::kRecordSize <= size; at += pagefile::kRecordSize) {
    pagefile::RecordBytes r;
    for (size_t i = 0; i < r.size(); ++i) r[i] = data[at + i];
    const bool k1 = (r[23] & 1) != 0;
    r[23] = 'K';
    r[24] = k1 ? '1' : '2';
    if (k1) {
      drawer.draw(r, ctx);
    } else {
      drawer.attributes(r, ctx);
    }
  }
  bool ok = false;
  tools::formatEmf(dc.finish(), {}, &ok);
  if (!ok) std::abort();
  return 0;
}
