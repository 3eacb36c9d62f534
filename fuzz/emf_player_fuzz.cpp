// The EMF player's interpreter (records, GDI state, geometry, bitmaps) on
// untrusted bytes, onto a canvas that only looks at what it gets, and into a
// rectangle of a page metafile as the image drawing places a picture. The
// bytes are played as they are and, so that random input reaches the record
// handlers, once more as records behind a valid header.
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/emf/emf_writer.h"
#include "platform/player/canvas.h"
#include "platform/player/dc_canvas.h"
#include "platform/player/emf_player.h"

namespace {

using namespace kumi::platform;
using namespace kumi::platform::player;

class CheckingCanvas final : public Canvas {
 public:
  double sum = 0;
  void fill(const Path& p, const FillStyle& s) override { look(p), sum += s.color; }
  void stroke(const Path& p, const StrokeStyle& s) override {
    look(p);
    for (double d : s.dash) sum += d;
    sum += s.width;
  }
  void setPixel(PointD d, ColorRef) override { sum += d.x + d.y; }
  void drawImage(const RgbaImage& img, const Affine& t, double, double, double, double, uint32_t) override {
    for (uint32_t px : img.pixels) sum += px;
    sum += t.m11 + t.dx;
  }
  void drawText(const TextRun& run) override {
    for (char16_t c : run.text) sum += c;
    for (double a : run.advances) sum += a;
    sum += run.em + run.toDevice.dx;
  }
  Path textOutline(const TextRun& run) override {
    const PointD o = run.toDevice.map({0, 0});
    return rectanglePath(o.x, o.y, o.x + run.em, o.y + run.em);
  }
  double textWidth(const TextRun& run) override { return run.em * double(run.text.size()); }
  void clip(const Path& p, RegionMode, bool) override { look(p); }
  void resetClip() override {}
  void offsetClip(double dx, double dy) override { sum += dx + dy; }
  void saveClip() override {}
  void restoreClip(int levels) override { sum += levels; }

 private:
  void look(const Path& p) {
    for (const PointD& q : p.points()) sum += q.x + q.y;
  }
};

void play(std::span<const uint8_t> bytes) {
  const auto info = readPictureInfo(bytes);
  if (!info) return;
  CheckingCanvas canvas;
  playEmf(bytes, canvas, frameOnto(*info, 0, 0, 800, 600));
  volatile bool finite = std::isfinite(canvas.sum);
  (void)finite;
  EmfWriter page({4760, 6814, 201, 288, 0, 0}, {0, 0, 20100, 28800}, "");
  page.setMapMode(MapMode::HiMetric);
  playEmfInto(bytes, page, {1000, -1000, 5000, -4000});
  const auto& out = page.finish();
  CheckingCanvas again;
  playEmf(out, again, frameOnto(*readPictureInfo(out), 0, 0, 400, 600));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  play(bytes);
  // The same bytes as the records of a page.
  std::vector<uint8_t> page = EmfWriter({4760, 6814, 201, 288, 0, 0}, {0, 0, 20100, 28800}, "")
                                  .finish();
  page.resize(page.size() - 20);  // the writer's EMR_EOF
  page.insert(page.end(), bytes.begin(), bytes.end());
  page.resize((page.size() + 3) & ~size_t{3}, 0);
  for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) writeU32LE(page, v);  // EMR_EOF
  putU32LE(page, 48, static_cast<uint32_t>(page.size()));
  play(page);
  return 0;
}
