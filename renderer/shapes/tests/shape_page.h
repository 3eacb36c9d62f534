#pragma once
// A page to draw shapes on in tests: the A4 sheet of the virtual printer
// (600 dpi, 100-pixel margins), a recording EMF writer, settings with known
// rule widths and user colours, and the records' emfdump lines.
#include <memory>
#include <string>
#include <vector>

#include "platform/emf/emf_writer.h"
#include "renderer/shapes/shape_drawer.h"

namespace kumi::renderer::shapes::testing {

// Engine units for a logical value on a standard page (multiples of 25 come
// out exact).
constexpr int32_t eu(int32_t logical) { return logical * 16 / 100; }

// A4 at 600 dpi: 20997 × 29693 hundredths, margins 423.
ShapePage a4Page(bool batch = false);
// Rule widths 1-8 of the file as 1..8 (stored ×10 on a standard page), user
// colours A-G as (10k+1, 10k+2, 10k+3).
settings::RenderSettings testSettings(int32_t widthFactor = 10);

class TestPage {
 public:
  explicit TestPage(ShapePage page = a4Page(), int64_t tintBudget = kTintDotsPerPage);

  ShapeContext ctx() { return {*writer_, page_, settings}; }
  void k2(char colour, char outline, char lineType);
  void k1(char shape, int32_t y1, int32_t x1, int32_t y2, int32_t x2, char fill = '1',
          char lineType = ' ');

  // Ends the page and gives its records, one emfdump line each, without the
  // header, the page set-up and the end record.
  std::vector<std::string> lines();
  // Only the lines that start with `name` (a record type, "SETPIXELV").
  std::vector<std::string> linesOf(const std::string& name);
  const std::vector<uint8_t>& finish() { return writer_->finish(); }

  settings::RenderSettings settings = testSettings();
  ShapeDrawer drawer;

 private:
  ShapePage page_;
  std::unique_ptr<platform::EmfWriter> writer_;
};

}  // namespace kumi::renderer::shapes::testing
