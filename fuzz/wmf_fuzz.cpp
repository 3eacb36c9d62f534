// The WMF player on untrusted bytes: the record loop, every record played
// into the EMF writer, and the metafile that makes played by the EMF
// interpreter. The bytes are played as they are and, so that random input
// reaches the record handlers, once more as records behind a valid header.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/emf/byte_io.h"
#include "platform/player/canvas.h"
#include "platform/player/emf_player.h"
#include "platform/player/wmf_player.h"

namespace {

using namespace kumi::platform;
using namespace kumi::platform::player;

class CountingCanvas final : public Canvas {
 public:
  size_t calls = 0;
  void fill(const Path&, const FillStyle&) override { ++calls; }
  void stroke(const Path&, const StrokeStyle&) override { ++calls; }
  void setPixel(PointD, ColorRef) override { ++calls; }
  void drawImage(const RgbaImage&, const Affine&, double, double, double, double, uint32_t) override { ++calls; }
  void drawText(const TextRun&) override { ++calls; }
  Path textOutline(const TextRun&) override { return {}; }
  double textWidth(const TextRun& run) override { return run.em; }
  void clip(const Path&, RegionMode, bool) override { ++calls; }
  void resetClip() override {}
  void offsetClip(double, double) override {}
  void saveClip() override {}
  void restoreClip(int) override {}
};

void play(std::span<const uint8_t> bytes) {
  const auto emf = wmfToEmf(bytes, 50, 40);
  if (!emf) return;
  CountingCanvas canvas;
  playEmf(*emf, canvas, frameOnto(*readPictureInfo(*emf), 0, 0, 500, 400));
  volatile size_t sink = canvas.calls;
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  play(bytes);
  std::vector<uint8_t> wmf;
  for (uint16_t v : {1, 9, 0x0300}) writeU16LE(wmf, v);  // META_HEADER
  writeU32LE(wmf, 0);
  writeU16LE(wmf, 8);  // objects
  writeU32LE(wmf, 0);
  writeU16LE(wmf, 0);
  wmf.insert(wmf.end(), bytes.begin(), bytes.end());
  play(wmf);
  return 0;
}
