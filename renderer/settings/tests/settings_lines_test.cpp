#include "renderer/settings/settings_lines.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kumi::settings {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::istringstream in(text);
  LineReader reader(in);
  std::vector<std::string> lines;
  for (std::string line; reader.next(line);) lines.push_back(line);
  return lines;
}

TEST(LineReader, SplitsAtLineBreaksOfEitherShape) {
  using V = std::vector<std::string>;
  EXPECT_EQ(linesOf(""), V{});
  EXPECT_EQ(linesOf("\r\n"), V{""});
  EXPECT_EQ(linesOf("a\r\nb\r\n"), (V{"a", "b"}));
  EXPECT_EQ(linesOf("a\nb"), (V{"a", "b"}));
  EXPECT_EQ(linesOf("a\r\n\r\nb\r"), (V{"a", "", "b"}));
  // A CR inside a line is part of it.
  EXPECT_EQ(linesOf("a\rb\r\n"), (V{"a\rb"}));
}

TEST(LineReader, KeepsTheFirst255CharactersOfALongLineAndDropsTheRest) {
  const std::string longLine(300, 'x');
  const auto lines = linesOf(longLine + "\r\nnext\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(kMaxLineChars, 'x'));
  EXPECT_EQ(lines[1], "next");
  // Exactly 255 characters and the break are still one line.
  EXPECT_EQ(linesOf(std::string(255, 'y') + "\r\n").size(), 1u);
}

TEST(ValueAt, RunsFromTheColumnToTheNextQuote) {
  EXPECT_EQ(valueAt("3,\"C:\\data\\\"", 3), "C:\\data\\");
  EXPECT_EQ(valueAt("\"F1\",\"ＭＳ 明朝\"", 6), "ＭＳ 明朝");
  EXPECT_EQ(valueAt("3,\"unclosed", 3), "unclosed");
  EXPECT_EQ(valueAt("3,\"", 3), "");
  EXPECT_EQ(valueAt("3,", 3), "");
  EXPECT_EQ(valueAt("", 1), "");
}

TEST(SplitItems, ReadsQuotedAndBareItems) {
  using V = std::vector<std::string>;
  EXPECT_EQ(splitItems("3,\"C:\\data\\\""), (V{"3", "C:\\data\\"}));
  EXPECT_EQ(splitItems("\"F1\",\"ＭＳ 明朝\""), (V{"F1", "ＭＳ 明朝"}));
  EXPECT_EQ(splitItems(" 12 , \"a,b\" ,x"), (V{"12", "a,b", "x"}));
  EXPECT_EQ(splitItems("\"0001\""), (V{"0001"}));
  EXPECT_EQ(splitItems("\"open"), (V{"open"}));
  EXPECT_EQ(splitItems(""), (V{""}));
  EXPECT_EQ(splitItems("a,"), (V{"a", ""}));
}

}  // namespace
}  // namespace kumi::settings
