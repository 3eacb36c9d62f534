// The EMF player and the print program.
//
// Goals: a dense A4 page (1500 characters) played into an image at 150 dpi
// in under 50 ms; sheetpress writing a 1000-page PDF in under a minute with
// memory that does not grow with the page count (compare the peak_rss_MB
// counters of the 100- and 1000-page runs).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "platform/base/cp932.h"
#include "platform/emf/emf_writer.h"
#include "platform/player/player.h"
#include "sheetpress/press.h"

namespace {

using namespace kumi;

// The `n`-th kanji of JIS level 1, in code page 932.
std::string kanji(int n) {
  // Level 1 starts at 0x889F; a lead byte has 188 trail bytes (0x40-0xFC
  // less 0x7F), and 0x9F is the 94th of them.
  const int idx = 94 + n % 2000;
  const int pos = idx % 188;
  return {static_cast<char>(0x88 + idx / 188), static_cast<char>(0x40 + pos + (pos >= 0x3F ? 1 : 0))};
}

// A page as the renderer draws one: A4 on the 600-dpi virtual printer in
// MM_HIMETRIC, 1500 characters of 12Q (40 lines of 30, and a vertical
// column of 300 in the turned face), one text record per character with its
// colour and background mode, a bold line now and then, rules under the
// lines and a hatched box.
std::vector<uint8_t> densePage() {
  platform::EmfWriter w({4760, 6814, 201, 288, 0, 0}, {-423, -423, 20574, 29269}, "kumidesk 組版ページ");
  w.setMapMode(platform::MapMode::HiMetric);
  auto font = [&w](const char* face, int32_t escapement, int32_t weight) {
    platform::LogFont f;
    f.height = 300;
    f.width = 150;
    f.escapement = f.orientation = escapement;
    f.weight = weight;
    f.quality = platform::FontQuality::Proof;
    f.faceName = face;
    return w.createFont(f);
  };
  const platform::ObjectHandle plain = font("ＭＳ 明朝", 0, 0);
  const platform::ObjectHandle bold = font("ＭＳ ゴシック", 0, 800);
  const platform::ObjectHandle vertical = font("@ＭＳ 明朝", 2700, 0);
  const int32_t dx[] = {300};
  int n = 0;
  for (int line = 0; line < 40; ++line) {
    w.selectObject(line % 8 == 7 ? bold : plain);
    for (int col = 0; col < 30; ++col, ++n) {
      w.setBkMode(platform::BkMode::Transparent);
      w.setTextColor(platform::rgb(0, 0, 0));
      w.extTextOut({1000 + col * 300, -(1000 + line * 500)}, 0, nullptr, kanji(n), dx);
    }
    w.selectObject(w.createPen({platform::PenStyle::Solid, 10, 0}));
    w.moveTo({1000, -(1330 + line * 500)});
    w.lineTo({10000, -(1330 + line * 500)});
  }
  w.selectObject(vertical);
  for (int k = 0; k < 300; ++k, ++n) {
    w.setBkMode(platform::BkMode::Transparent);
    w.extTextOut({11000 + (k / 60) * 400 + 300, -(1000 + (k % 60) * 300)}, 0, nullptr, kanji(n), dx);
  }
  w.selectObject(w.createBrush({platform::BrushStyle::Hatched, 0, platform::HatchStyle::Cross}));
  w.rectangle({11000, -20000, 19000, -26000});
  return w.finish();
}

void BM_PlayDensePageAt150Dpi(benchmark::State& state) {
  const std::vector<uint8_t> page = densePage();
  QImage img(1240, 1754, QImage::Format_RGB32);
  for (auto _ : state) {
    img.fill(Qt::white);
    QPainter p(&img);
    platform::player::paintEmf(p, page, QRectF(0, 0, img.width(), img.height()));
  }
  state.counters["page_bytes"] = double(page.size());
}
BENCHMARK(BM_PlayDensePageAt150Dpi)->Unit(benchmark::kMillisecond);

double peakRssMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

// sheetpress's work for `pages` page files (the dense page, each its own
// file) into one PDF on the virtual printer.
void BM_PressPdf(benchmark::State& state) {
  const auto pages = static_cast<int>(state.range(0));
  QTemporaryDir dir;
  const std::vector<uint8_t> page = densePage();
  std::vector<std::string> paths;
  for (int i = 0; i < pages; ++i) {
    paths.push_back(dir.filePath(QString::asprintf("%04d.emf", i + 1)).toStdString());
    std::ofstream(paths.back(), std::ios::binary)
        .write(reinterpret_cast<const char*>(page.data()), std::streamsize(page.size()));
  }
  for (auto _ : state) {
    QPdfWriter pdf(dir.filePath("out.pdf"));
    pdf.setResolution(600);
    const auto result = sheetpress::pressPages(pdf, paths, "out.pdf");
    if (result.printed != pages) state.SkipWithError("pages were not printed");
  }
  state.counters["peak_rss_MB"] = peakRssMb();
  state.counters["pdf_MB"] = QFileInfo(dir.filePath("out.pdf")).size() / 1048576.0;
}
BENCHMARK(BM_PressPdf)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
