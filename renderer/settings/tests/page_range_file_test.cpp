#include "renderer/settings/page_range_file.h"

#include <sstream>

#include <gtest/gtest.h>

#include "renderer/settings/tests/test_support.h"

namespace kumi::settings {
namespace {

using testing::ScratchDir;

TEST(PageRangeWriter, WritesTheFirstAndTheLastPage) {
  ScratchDir dir("page_range_writer");
  dir.write("winpage.cfg", "\"0007\"\r\n\"0009\"\r\n");
  PageRangeWriter w;
  ASSERT_TRUE(w.create((dir.path() / "winpage.cfg").string()));
  w.setFirst("0001");
  // Until the run ends, readers still see the previous range.
  EXPECT_EQ(dir.read("winpage.cfg"), "\"0007\"\r\n\"0009\"\r\n");
  ASSERT_TRUE(w.finish("0012"));
  EXPECT_EQ(dir.read("winpage.cfg"), "\"0001\"\r\n\"0012\"\r\n");
  EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(PageRangeWriter, ARunWithoutRecordsWritesOneEmptyName) {
  ScratchDir dir("page_range_empty");
  PageRangeWriter w;
  ASSERT_TRUE(w.create((dir.path() / "winpage.cfg").string()));
  ASSERT_TRUE(w.finish(""));
  EXPECT_EQ(dir.read("winpage.cfg"), "\"\"\r\n");
}

TEST(PageRangeWriter, AnUnfinishedRunLeavesTheOldFile) {
  ScratchDir dir("page_range_unfinished");
  dir.write("winpage.cfg", "\"0007\"\r\n\"0009\"\r\n");
  {
    PageRangeWriter w;
    ASSERT_TRUE(w.create((dir.path() / "winpage.cfg").string()));
    w.setFirst("0001");
  }
  EXPECT_EQ(dir.read("winpage.cfg"), "\"0007\"\r\n\"0009\"\r\n");
  EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(PageRangeWriter, ReportsADirectoryItCannotWriteTo) {
  ScratchDir dir("page_range_missing");
  PageRangeWriter w;
  std::string error;
  EXPECT_FALSE(w.create((dir.path() / "nope" / "winpage.cfg").string(), &error));
  EXPECT_NE(error.find("nope/winpage.cfg"), std::string::npos);
}

TEST(ReadPageRange, ReadsTwoQuotedNames) {
  std::istringstream both("\"0003\"\r\n\"0010\"\r\n"), one("\"\"\r\n");
  const PageRange a = readPageRange(both);
  EXPECT_EQ(a.first, "0003");
  EXPECT_EQ(a.last, "0010");
  EXPECT_EQ(a.lines, 2);
  const PageRange b = readPageRange(one);
  EXPECT_EQ(b.first, "");
  EXPECT_EQ(b.lines, 1);
}

}  // namespace
}  // namespace kumi::settings
