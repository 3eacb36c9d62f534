// pageexport: its command line, and page files made into PNGs.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/emf/emf_writer.h"
#include "tools/pageexport/page_export.h"

namespace kumi::tools {
namespace {

TEST(ExportArgs, AreReadOrRefusedWithAMessage) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
    double dpi;
  };
  const Case cases[] = {
      {{"a.emf"}, true, 150},
      {{"--dpi", "300", "a.emf"}, true, 300},
      {{"--dpi", "72.5", "--antialias", "a.emf", "b.emf"}, true, 72.5},
      {{}, false, 0},
      {{"--dpi"}, false, 0},
      {{"--dpi", "0", "a.emf"}, false, 0},
      {{"--dpi", "9999", "a.emf"}, false, 0},
      {{"--dpi", "12x", "a.emf"}, false, 0},
      {{"--bogus", "a.emf"}, false, 0},
  };
  for (const Case& k : cases) {
    const std::string shown = ::testing::PrintToString(k.args);
    ExportOptions o;
    std::string message;
    EXPECT_EQ(parseExportArgs(k.args, o, message), k.ok) << shown << ": " << message;
    if (k.ok) EXPECT_DOUBLE_EQ(o.dpi, k.dpi) << shown;
    else EXPECT_FALSE(message.empty()) << shown;
  }
}

TEST(ExportPaths, TakeTheInputsNameWithPng) {
  EXPECT_EQ(pngPathFor("/d/0001.emf", ""), "/d/0001.png");
  EXPECT_EQ(pngPathFor("/d/0001.emf", "/out"), "/out/0001.png");
  EXPECT_EQ(pngPathFor("pic.wmf", ""), "pic.png");
}

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("pageexport_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  std::filesystem::path dir_;
};

TEST_F(Export, WritesThePageAtTheChosenResolution) {
  // 50 × 20 mm, a black box in its left half.
  platform::EmfWriter w({500, 200, 50, 20, 0, 0}, {0, 0, 5000, 2000}, "page");
  w.selectObject(platform::stockObject(platform::StockObject::BlackBrush));
  w.rectangle({0, 0, 250, 200});
  const std::string in = write("page.emf", w.finish());
  ExportOptions o;
  o.dpi = 127;  // 5 pixels a millimetre
  std::string error;
  ASSERT_TRUE(exportPage(in, o, error)) << error;
  const QImage img(QString::fromStdString(pngPathFor(in, "")));
  ASSERT_EQ(img.size(), QSize(250, 100));
  EXPECT_EQ(img.pixel(60, 50), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(190, 50), qRgb(255, 255, 255));
}

TEST_F(Export, RefusesWhatIsNoPageFile) {
  ExportOptions o;
  std::string error;
  EXPECT_FALSE(exportPage(write("junk.emf", std::vector<uint8_t>(100, 1)), o, error));
  EXPECT_NE(error.find("junk.emf"), std::string::npos);
  EXPECT_FALSE(exportPage((dir_ / "missing.emf").string(), o, error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace kumi::tools
