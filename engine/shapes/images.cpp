#include <algorithm>

#include "engine/core/engine.h"
#include "engine/shapes/shapes.h"

namespace kumi::engine {
namespace {

void writeImageRecords(Engine& engine, const std::array<char, 4>& page, int32_t y, int32_t x,
                       char mode, std::string_view name, int32_t height, int32_t width,
                       int32_t extent, char kind) {
  pagefile::ImagePlaceRecord g1;
  g1.page = page;
  g1.y = y;
  g1.x = x;
  g1.mode = mode;
  engine.write(pagefile::encode(g1));

  pagefile::ImageNameRecord g3;
  g3.page = page;
  const size_t n = std::min(name.size(), g3.name.size());
  std::copy_n(name.begin(), n, g3.name.begin());
  engine.write(pagefile::encode(g3));

  pagefile::ImageSizeRecord g2;
  g2.page = page;
  g2.y = y;
  g2.x = x;
  g2.height = height;
  g2.width = width;
  g2.extent = static_cast<uint16_t>(extent & 0xFFFF);
  g2.kind = kind;
  engine.write(pagefile::encode(g2));
}

// The second family frames an image and crosses it out, 1.36 times its size.
void writeFrameAndCross(Engine& engine) {
  const CallRecord& call = engine.record();
  const auto scaled = [](int32_t v) { return static_cast<int32_t>(static_cast<int64_t>(v) * 136 / 100); };
  const int32_t top = call.originY;
  const int32_t left = call.originX;
  const int32_t bottom = static_cast<int32_t>(static_cast<int64_t>(top) + scaled(call.coord1));
  const int32_t right = static_cast<int32_t>(static_cast<int64_t>(left) + scaled(call.coord2));
  RuleSpec box;
  box.shape = 'B';
  box.y1 = top;
  box.x1 = left;
  box.y2 = bottom;
  box.x2 = right;
  box.lineType = 'O';
  box.fill = 'Z';
  box.colour = call.ruleStyle[0];
  box.outlineColour = call.ruleStyle[3];
  writeRule(engine, box);
  RuleSpec line = box;
  line.shape = 'N';
  line.fill = '1';
  writeRule(engine, line);
  line.y1 = top;
  line.x1 = right;
  line.y2 = bottom;
  line.x2 = left;
  writeRule(engine, line);
}

}  // namespace

void composeImage(Engine& engine) {
  const CallRecord& call = engine.record();
  writeImageRecords(engine, call.pageName, call.originY, call.originX, call.blockAlign,
                    call.textView(), call.coord1, call.coord2, call.blockExtent, call.recordKind[1]);
  if (call.secondFamily()) writeFrameAndCross(engine);
}

void writeCharacterImage(Engine& engine, const std::array<char, 4>& page, int32_t y, int32_t x,
                         int32_t height, int32_t width, std::string_view name) {
  const size_t end = std::min(name.find('\0'), name.size());
  writeImageRecords(engine, page, y, x, '0', name.substr(0, end), height, width, 0, 'M');
}

}  // namespace kumi::engine
