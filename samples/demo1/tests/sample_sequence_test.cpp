#include <gtest/gtest.h>

#include <algorithm>

#include "engine/pagefile/page_file_reader.h"
#include "engine/tests/run_dir.h"
#include "samples/demo1/sample_sequence.h"
#include "tools/skdump/skdump_format.h"

namespace kumi::samples {
namespace {

std::vector<std::string> dumpOf(const std::filesystem::path& skDat) {
  pagefile::PageFileContents contents;
  EXPECT_TRUE(pagefile::readPageFile(skDat.string(), contents));
  std::vector<std::string> lines;
  for (const auto& r : contents.records) lines.push_back(tools::formatRecord(r));
  return lines;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Demo1Sample, FieldsStartAsTheClientSetsThem) {
  CallSet s;
  EXPECT_EQ(s.pageNumber.value(), "0   ");
  EXPECT_EQ(s.breakChar.value(), "\x81\x97");
  EXPECT_EQ(s.lineAlign.value(), "B");
  EXPECT_EQ(s.ruleStyle.value(), "    ");
  s.ruleStyle.set("5O1");
  EXPECT_EQ(s.ruleStyle.value(), "5O1 ");
  s.command.set("LONG");
  EXPECT_EQ(s.command.value(), "LO");
}

TEST(Demo1Sample, WritesTheImageTheRoundedBoxAndBothRules) {
  engine::testing::RunDirectory run("demo1_sample");
  run.writeWinprm(run.windowsPath());
  CallSet s;
  runSample(s);
  const auto lines = dumpOf(run.skDat());
  EXPECT_TRUE(has(lines, "0001 G1   y=1700 x=1000 mode=0"));
  EXPECT_TRUE(has(lines, "0001 G3   name=\"kumidesk.bmp\""));
  EXPECT_TRUE(has(lines, "0001 G2   y=1700 x=1000 height=168 width=340 extent=500 kind=B"));
  EXPECT_TRUE(has(lines, "0001 K1   y1=1100 x1=300 y2=1000 x2=1700 fill=1 line=O shape=m"));
  EXPECT_TRUE(has(lines, "0001 K1   y1=1100 x1=300 y2=1400 x2=600 fill=1 line=O shape=M"));
  EXPECT_TRUE(has(lines, "0001 K1   y1=1000 x1=1300 y2=1500 x2=0 fill=1 line=A shape=T"));
  EXPECT_TRUE(has(lines, "0001 K1   y1=1000 x1=700 y2=1100 x2=0 fill=1 line=A shape=Y"));
}

TEST(Demo1Sample, RunningTwiceReplacesThePageFile) {
  engine::testing::RunDirectory run("demo1_twice");
  run.writeWinprm(run.windowsPath());
  CallSet first;
  runSample(first);
  const auto once = std::filesystem::file_size(run.skDat());
  runSample(first);
  EXPECT_EQ(std::filesystem::file_size(run.skDat()), once);
}

}  // namespace
}  // namespace kumi::samples
