#pragma once
// A canvas that remembers what it was asked to draw, for tests of the
// interpreters: every call as a small record with its device geometry.
#include <string>
#include <vector>

#include "platform/player/canvas.h"

namespace kumi::platform::player::testing {

struct Call {
  std::string what;  // "fill", "stroke", "pixel", "image", "text", "clip", "resetClip", ...
  Path path;
  FillStyle fillStyle;
  StrokeStyle strokeStyle;
  PointD point;
  ColorRef color = 0;
  TextRun run;
  Affine transform;
  uint32_t rop = 0;
  RegionMode mode = RegionMode::Copy;
  int levels = 0;
  RgbaImage image;
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<Call> calls;
  // What textOutline answers: a unit square at the run's origin.
  void fill(const Path& p, const FillStyle& s) override { add("fill").path = p, calls.back().fillStyle = s; }
  void stroke(const Path& p, const StrokeStyle& s) override {
    add("stroke").path = p;
    calls.back().strokeStyle = s;
  }
  void setPixel(PointD d, ColorRef c) override {
    add("pixel").point = d;
    calls.back().color = c;
  }
  void drawImage(const RgbaImage& img, const Affine& t, double, double, double, double,
                 uint32_t rop) override {
    Call& c = add("image");
    c.image = img;
    c.transform = t;
    c.rop = rop;
  }
  void drawText(const TextRun& run) override { add("text").run = run; }
  Path textOutline(const TextRun& run) override {
    add("outline").run = run;
    const PointD o = run.toDevice.map({0, 0});
    return rectanglePath(o.x, o.y, o.x + 1, o.y + 1);
  }
  double textWidth(const TextRun& run) override { return run.em * run.text.size(); }
  void clip(const Path& p, RegionMode mode, bool) override {
    add("clip").path = p;
    calls.back().mode = mode;
  }
  void resetClip() override { add("resetClip"); }
  void offsetClip(double dx, double dy) override { add("offsetClip").point = {dx, dy}; }
  void saveClip() override { add("saveClip"); }
  void restoreClip(int levels) override { add("restoreClip").levels = levels; }

  std::vector<const Call*> of(const std::string& what) const {
    std::vector<const Call*> r;
    for (const Call& c : calls) {
      if (c.what == what) r.push_back(&c);
    }
    return r;
  }

 private:
  Call& add(const char* what) {
    calls.push_back({});
    calls.back().what = what;
    return calls.back();
  }
};

}  // namespace kumi::platform::player::testing
