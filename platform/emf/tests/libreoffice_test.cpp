// A page written by EmfWriter must open in another EMF reader. LibreOffice
// converts it to PDF; poppler reads back the text and the pixels. Skipped
// where LibreOffice or poppler-utils are not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

#include "platform/emf/emf_writer.h"

namespace kumi::platform {
namespace {

namespace fs = std::filesystem;

bool haveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// A binary PPM (P6) as pdftoppm writes it.
struct Pixmap {
  int width = 0, height = 0;
  std::string data;
  bool load(const fs::path& p) {
    const std::string s = readText(p);
    std::istringstream in(s);
    std::string magic;
    int maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    if (magic != "P6" || width <= 0 || height <= 0) return false;
    data = s.substr(static_cast<size_t>(in.tellg()));
    return data.size() >= static_cast<size_t>(width) * height * 3;
  }
  ColorRef at(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return rgb(static_cast<uint8_t>(data[i]), static_cast<uint8_t>(data[i + 1]),
               static_cast<uint8_t>(data[i + 2]));
  }
  // The smallest box around the pixels that match.
  template <typename Match>
  Box find(Match match) const {
    Box b;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (!match(at(x, y))) continue;
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
    }
    return b;
  }
};

TEST(LibreOffice, OpensAPageAndFindsItsTextAndShapes) {
  if (!haveTool("soffice") || !haveTool("pdftotext") || !haveTool("pdftoppm")) {
    GTEST_SKIP() << "LibreOffice (libreoffice-draw) or poppler-utils not installed";
  }
  const fs::path dir = fs::temp_directory_path() / ("kumi_lo_test_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);

  // An A4 sheet whose printable origin is 4.23 mm inside its corner, as
  // the renderer lays out its pages.
  const ReferenceDevice ref{4760, 6814, 201, 288, 0, 0};
  {
    auto w = EmfWriter::create((dir / "page.emf").string(), ref, {-423, -423, 20577, 29277},
                               "kumidesk 組版ページ");
    ASSERT_NE(w, nullptr);
    w->setMapMode(MapMode::HiMetric);
    w->setBkMode(BkMode::Transparent);
    LogFont f;
    f.height = 800;
    f.width = 400;
    f.quality = FontQuality::Proof;
    f.faceName = "ＭＳ 明朝";
    w->selectObject(w->createFont(f));
    w->textOut({2000, -15000}, "\x91\x67\x94\xC5\x83\x65\x83\x58\x83\x67");  // 組版テスト
    const ObjectHandle red = w->createBrush({BrushStyle::Solid, rgb(255, 0, 0), {}});
    w->selectObject(red);
    w->selectObject(stockObject(StockObject::NullPen));
    w->rectangle({2000, -2000, 6000, -4000});
    // The sheet's edge as a thin black line, to measure the picture by.
    w->selectObject(w->createPen({PenStyle::InsideFrame, 50, rgb(0, 0, 0)}));
    w->selectObject(stockObject(StockObject::NullBrush));
    w->rectangle({-423, 423, 20577, -29277});
    ASSERT_TRUE(w->close());
  }

  const std::string profile = "-env:UserInstallation=file://" + (dir / "profile").string();
  const std::string convert = "cd '" + dir.string() + "' && soffice '" + profile +
                              "' --headless --convert-to pdf page.emf >convert.log 2>&1";
  ASSERT_EQ(std::system(convert.c_str()), 0) << readText(dir / "convert.log");
  ASSERT_TRUE(fs::exists(dir / "page.pdf")) << readText(dir / "convert.log");

  ASSERT_EQ(std::system(("pdftotext '" + (dir / "page.pdf").string() + "' '" +
                         (dir / "page.txt").string() + "'").c_str()), 0);
  std::string text = readText(dir / "page.txt");
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
  EXPECT_NE(text.find("組版テスト"), std::string::npos) << text;

  // Draw fits the picture into its page margins, keeping its proportions:
  // measure the sheet's edge, then check the box against it (20-60 mm across
  // and 20-40 mm down from the printable origin, 4.23 mm inside the edge).
  ASSERT_EQ(std::system(("pdftoppm -r 50.8 '" + (dir / "page.pdf").string() + "' '" +
                         (dir / "px").string() + "'").c_str()), 0);
  fs::path ppm;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() == ".ppm") ppm = e.path();
  }
  Pixmap px;
  ASSERT_TRUE(px.load(ppm));
  const Box sheet = px.find([](ColorRef c) { return c == rgb(0, 0, 0); });
  const Box box = px.find([](ColorRef c) { return c == rgb(255, 0, 0); });
  ASSERT_GT(sheet.right, sheet.left);
  ASSERT_GT(box.right, box.left);
  const double perMm = (sheet.right - sheet.left + 1) / 210.0;
  EXPECT_NEAR((sheet.bottom - sheet.top + 1) / 297.0, perMm, 0.02) << "proportions kept";
  EXPECT_NEAR((box.left - sheet.left) / perMm, 24.23, 1.0);
  EXPECT_NEAR((box.right + 1 - sheet.left) / perMm, 64.23, 1.0);
  EXPECT_NEAR((box.top - sheet.top) / perMm, 24.23, 1.0);
  EXPECT_NEAR((box.bottom + 1 - sheet.top) / perMm, 44.23, 1.0);
  if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
}  // namespace kumi::platform
