#include <gtest/gtest.h>

#include "engine/compose/horizontal/text_flow.h"

namespace kumi::engine {
namespace {

std::string next(const char* page) {
  const std::array<char, 4> p{page[0], page[1], page[2], page[3]};
  const std::array<char, 4> n = nextPageName(p);
  return std::string(n.data(), 4);
}

TEST(TextFlow, NextPageName) {
  EXPECT_EQ(next("0001"), "0002");
  EXPECT_EQ(next("0099"), "0100");
  EXPECT_EQ(next("9999"), "0000");
  EXPECT_EQ(next("AB12"), "0013");  // letters count as 0
}

}  // namespace
}  // namespace kumi::engine
