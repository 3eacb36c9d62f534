#include "engine/compose/cells/cells.h"

#include <gtest/gtest.h>

#include "engine/core/engine.h"

namespace kumi::engine {
namespace {

TEST(BuildCells, EndsTheArrayWithTheEndMark) {
  Engine engine;
  engine.record().charSizeCode = 0xC1;  // Q12
  engine.text().units[0] = 0x3021;
  engine.text().units[1] = code::kEnd;
  const CellBuildResult r = buildCells(engine);
  EXPECT_EQ(r.count, 1u);
  EXPECT_EQ(engine.cells()[1].line, -1);
}

}  // namespace
}  // namespace kumi::engine
