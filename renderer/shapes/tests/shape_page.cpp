#include "renderer/shapes/tests/shape_page.h"

#include <sstream>

#include "tools/emfdump/emfdump_format.h"

namespace kumi::renderer::shapes::testing {

ShapePage a4Page(bool batch) {
  ShapePage p;
  p.pw = 20997;
  p.ph = 29693;
  p.ox = 423;
  p.oy = 423;
  p.batch = batch;
  return p;
}

settings::RenderSettings testSettings(int32_t widthFactor) {
  settings::RenderSettings s;
  for (int32_t i = 0; i < 8; ++i) s.ruleWidths[static_cast<size_t>(i)] = (i + 1) * widthFactor;
  for (uint8_t k = 0; k < 7; ++k) {
    s.userColors[k] = {static_cast<uint8_t>(10 * (k + 1) + 1), static_cast<uint8_t>(10 * (k + 1) + 2),
                       static_cast<uint8_t>(10 * (k + 1) + 3)};
  }
  return s;
}

TestPage::TestPage(ShapePage page, int64_t tintBudget) : drawer(tintBudget), page_(page) {
  const platform::Rect frame{-page.ox, -page.oy, page.pw - page.ox, page.ph - page.oy};
  writer_ = std::make_unique<platform::EmfWriter>(platform::ReferenceDevice{4760, 6814, 201, 288},
                                                  frame, "shapes");
  writer_->setMapMode(page.pageScale == 100 ? platform::MapMode::HiMetric
                                            : platform::MapMode::LoMetric);
}

void TestPage::k2(char colour, char outline, char lineType) {
  pagefile::ShapeColoursRecord r;
  r.page = {'0', '0', '0', '1'};
  r.outlineColour = outline;
  r.colour = colour;
  r.shape = lineType;
  drawer.attributes(pagefile::encode(r), ctx());
}

void TestPage::k1(char shape, int32_t y1, int32_t x1, int32_t y2, int32_t x2, char fill,
                  char lineType) {
  pagefile::ShapeRecord r;
  r.page = {'0', '0', '0', '1'};
  r.y1 = y1;
  r.x1 = x1;
  r.y2 = y2;
  r.x2 = x2;
  r.fill = fill;
  r.lineType = lineType;
  r.shape = shape;
  drawer.draw(pagefile::encode(r), ctx());
}

std::vector<std::string> TestPage::lines() {
  // The dump reads a finished file: the page ends here (asking again gives
  // the same lines).
  std::istringstream in(tools::formatEmf(writer_->finish()));
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("HEADER", 0) == 0 || line.rfind("SETMAPMODE", 0) == 0 ||
        line.rfind("EOF", 0) == 0) {
      continue;
    }
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> TestPage::linesOf(const std::string& name) {
  std::vector<std::string> out;
  for (const std::string& line : lines()) {
    if (line.rfind(name + " ", 0) == 0 || line == name) out.push_back(line);
  }
  return out;
}

}  // namespace kumi::renderer::shapes::testing
