#pragma once
// Rules and shapes: the K2 and K1 records of sk.dat drawn into the open page.
//
// K2 sets the colours and the line type (rule_state.h) and turns the page's
// background opaque, so the gaps of a hatch are painted until the K1 that
// follows sets it transparent again. K1 draws one shape: boxes, ellipses and
// rounded boxes (then drawn once more in the outline colour, unless that is
// none), straight, vertical and horizontal lines, four triangles, and the
// fills: solid, six hatchings, and the tint screen of single dots every 37
// logical units. Bottoms below the sheet and right edges past it are pulled
// back to the sheet's margin.
//
// Batch runs keep thick rules inside their frame: pens are inside-frame and
// the ends of lines and triangles come in by half the pen width.
//
// Coordinates arrive as engine units (1/16 mm) already moved onto the
// printable origin; they become logical units (y upwards on the page) here,
// computed wide so that no record value overflows on the way. Hostile
// records cost bounded work: tint dots are set only where the sheet is, and
// a page takes at most a budget of them.
#include <cstdint>

#include "engine/pagefile/page_record.h"
#include "platform/emf/device_context.h"
#include "renderer/settings/render_settings.h"
#include "renderer/shapes/rule_state.h"

namespace kumi::renderer::shapes {

// The page as shapes see it.
struct ShapePage {
  int32_t pageScale = 100;  // logical units a millimetre: 100, or 10 on a large page
  int32_t sizeDivisor = 1;  // 1, or 10 on a large page (corner sizes)
  int32_t pw = 0;           // sheet width, 0.01 mm
  int32_t ph = 0;           // sheet height, 0.01 mm
  int32_t ox = 0;           // unprintable left margin, 0.01 mm
  int32_t oy = 0;           // unprintable top margin, 0.01 mm
  bool batch = false;       // the batch run mode
};

struct ShapeContext {
  platform::DeviceContext& dc;
  ShapePage page;
  const settings::RenderSettings& settings;
};

// The tint screen's spacing, in logical units on either page.
constexpr int32_t kTintPitch = 37;
// Tint dots one page may take: a few whole sheets screened over. Beyond it
// a page's further dots are dropped (each dot is a record of the metafile).
constexpr int64_t kTintDotsPerPage = 2'000'000;

// A K1's corners in logical units, y downwards as in the record (negated
// on output), 64 bits wide so that record extremes survive the arithmetic.
struct LogicalBox {
  int64_t l = 0;
  int64_t t = 0;
  int64_t r = 0;
  int64_t b = 0;
};

class ShapeDrawer {
 public:
  explicit ShapeDrawer(int64_t tintDotsPerPage = kTintDotsPerPage)
      : tintBudget_(tintDotsPerPage) {}

  // A new page: its tint budget starts afresh. The rule state carries on.
  void pageOpened() {
    pageDots_ = 0;
    dropped_ = 0;
  }

  void attributes(const pagefile::ShapeColoursRecord& k2, const ShapeContext& ctx);
  void draw(const pagefile::ShapeRecord& k1, const ShapeContext& ctx);
  void attributes(const pagefile::RecordBytes& k2, const ShapeContext& ctx) {
    attributes(pagefile::decodeShapeColours(k2), ctx);
  }
  void draw(const pagefile::RecordBytes& k1, const ShapeContext& ctx) {
    draw(pagefile::decodeShape(k1), ctx);
  }

  const RuleState& state() const { return state_; }
  // Tint dots left out on the current page (outside the sheet is not
  // counted: those are never drawn).
  int64_t tintDotsDropped() const { return dropped_; }

 private:
  void tintScreen(const LogicalBox& box, const ShapeContext& ctx);

  RuleState state_;
  int64_t tintBudget_;
  int64_t pageDots_ = 0;
  int64_t dropped_ = 0;
};

}  // namespace kumi::renderer::shapes
