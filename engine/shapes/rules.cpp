#include <algorithm>

#include "engine/core/engine.h"
#include "engine/shapes/shapes.h"

namespace kumi::engine {
namespace {

bool writesNoColours(char colour) { return colour == '0' || colour == 'T' || colour == 't'; }

// Lines of types other than Y, in calls without font selection, are moved
// along their direction by half their length. The length keeps its sign: a
// line given bottom to top moves up rather than wrapping round the page.
void moveByHalfLength(int32_t& first, int32_t& third) {
  const int64_t length = static_cast<int64_t>(third) - first;
  const int64_t start = first + length / 2;
  first = static_cast<int32_t>(start);
  third = static_cast<int32_t>(start + length);
}

}  // namespace

void writeRule(Engine& engine, const RuleSpec& rule) {
  const CallRecord& call = engine.record();
  pagefile::ShapeRecord k1;
  k1.page = call.pageName;
  k1.y1 = rule.y1;
  k1.x1 = rule.x1;
  k1.y2 = rule.y2;
  k1.x2 = rule.x2;
  k1.fill = rule.fill;
  k1.lineType = rule.lineType;
  k1.shape = rule.shape;
  if (!writesNoColours(rule.colour)) {
    pagefile::ShapeColoursRecord k2;
    k2.page = call.pageName;
    // The K2 carries the shape's integers, as the page file always has.
    const pagefile::RecordBytes shapeBytes = pagefile::encode(k1);
    std::copy_n(shapeBytes.begin() + 4, k2.carried.size(), k2.carried.begin());
    k2.outlineColour = rule.outlineColour;
    k2.colour = rule.colour;
    k2.shape = rule.shape;
    engine.write(pagefile::encode(k2));
  }
  engine.write(pagefile::encode(k1));
}

void composeRule(Engine& engine) {
  const CallRecord& call = engine.record();
  RuleSpec rule;
  rule.shape = call.ruleType;
  rule.colour = call.ruleStyle[0];
  rule.lineType = call.ruleStyle[1];
  rule.fill = call.ruleStyle[2];
  rule.outlineColour = call.ruleStyle[3];
  rule.y1 = call.coord1;
  rule.x1 = call.coord2;
  rule.y2 = call.coord3;
  rule.x2 = call.coord4;

  switch (call.ruleType) {
    case 'B': case 'E': case 'O': case 'P': case 'Q': case 'R':
      break;
    case 'N': case 'H':
      rule.fill = '1';
      rule.outlineColour = '1';
      break;
    case 'M':
    case 'D': {
      // The corner size (M) or the position (D) goes first, as a shape of its own.
      RuleSpec lead = rule;
      if (call.ruleType == 'M') {
        lead.shape = 'm';
        lead.y2 = call.originX;
        lead.x2 = call.originY;
      } else {
        lead.shape = 'd';
        lead.y1 = call.originX;
        lead.x1 = call.originY;
        lead.y2 = 0;
        lead.x2 = 0;
      }
      writeRule(engine, lead);
      break;
    }
    default:  // T, Y and any other character: a line given by three integers
      rule.fill = '1';
      rule.outlineColour = '1';
      rule.x2 = 0;
      if (call.ruleType != 'Y' && call.command != 'L') moveByHalfLength(rule.y1, rule.y2);
      break;
  }
  writeRule(engine, rule);
}

}  // namespace kumi::engine
