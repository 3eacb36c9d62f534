// The preview's render path: stepping to the next page of a dense page file
// at natural size. A page is read from disk, its frame sized at the screen's
// resolution and played into the display's picture, as the preview does
// when "次ページ" is chosen. Goal: under 100 ms a page.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

#include "platform/base/cp932.h"
#include "platform/emf/emf_writer.h"
#include "viewer/ui/page_display.h"
#include "viewer/ui/page_source.h"

namespace {

using namespace kumi;

// Kanji of JIS level 1 in code page 932, from the `first`-th on, one a
// character of the page: a dense page uses a good part of the font.
std::vector<std::string> kanji(int first, int count) {
  std::vector<std::string> out;
  int lead = 0x88, trail = 0x9F;
  for (int n = 0; n < first + count; ++n) {
    if (n >= first) out.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    if (++trail == 0x7F) ++trail;
    if (trail > 0xFC) trail = 0x40, ++lead;
    if (lead == 0x98 && trail > 0x72) lead = 0x88, trail = 0x9F;  // wrap within level 1
  }
  return out;
}

// A page as the renderer writes a full one: A4 at 600 dpi in 0.01 mm, 56
// lines of 44 different characters of 12Q text (`em` 0.01 mm), one text
// record per character with its colour and background mode, a font per
// line, a column of vertical text in the turned face, and a rule under
// every line.
std::vector<uint8_t> densePage(int firstKanji, int em = 300) {
  const platform::ReferenceDevice printer{4760, 6814, 201, 288, 0, 0};
  platform::EmfWriter w(printer, {-423, -423, 20577, 29277}, "kumi page");
  w.setMapMode(platform::MapMode::HiMetric);
  const std::vector<std::string> glyphs = kanji(firstKanji, 56 * 44 + 60);
  const platform::ObjectHandle pen = w.createPen({platform::PenStyle::Solid, 10, 0});
  w.selectObject(pen);
  platform::ObjectHandle previous;
  for (int line = 0; line < 56; ++line) {
    platform::LogFont font;
    font.height = -em;
    font.width = em / 2;
    font.faceName = line % 7 == 3 ? "ＭＳ ゴシック" : "ＭＳ 明朝";
    const platform::ObjectHandle f = w.createFont(font);
    w.selectObject(f);
    if (previous) w.deleteObject(previous);
    previous = f;
    const int y = -1500 - line * 480;
    for (int col = 0; col < 44; ++col) {
      w.setBkMode(platform::BkMode::Transparent);
      w.setTextColor(line % 11 == 0 ? platform::rgb(200, 0, 0) : platform::rgb(0, 0, 0));
      w.textOut({1500 + col * 360, y}, glyphs[static_cast<size_t>(line * 44 + col)]);
    }
    w.moveTo({1500, y - 420});
    w.lineTo({1500 + 44 * 360, y - 420});
  }
  platform::LogFont turned;
  turned.height = -400;
  turned.escapement = turned.orientation = 2700;
  turned.faceName = "@ＭＳ 明朝";
  const platform::ObjectHandle t = w.createFont(turned);
  w.selectObject(t);
  for (int row = 0; row < 60; ++row) {
    w.textOut({18500, -1500 - row * 440}, glyphs[static_cast<size_t>(56 * 44 + row)]);
  }
  return w.finish();
}

void writeFile(const QString& path, const std::vector<uint8_t>& bytes) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

struct PageFiles {
  PageFiles() {
    int first = 0;
    for (const char* name : {"0001.emf", "0002.emf"}) {
      const auto bytes = densePage(first);
      first += 2500;
      writeFile(dir.filePath(name), bytes);
      paths.push_back(dir.filePath(name));
      size = bytes.size();
    }
  }
  QTemporaryDir dir;
  std::vector<QString> paths;
  size_t size = 0;
};

PageFiles& pageFiles() {
  static PageFiles files;
  return files;
}

// The page drawn as the preview shows it at natural size (15 twips a pixel).
void drawAtNaturalSize(const viewer::PagePicture& page) {
  QImage picture(page.naturalSize(15, 15), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  page.paint(painter, QRectF(picture.rect()));
  painter.end();
  benchmark::DoNotOptimize(picture.constBits());
}

// Read, size and play the page into a picture of its natural size.
void BM_NextPageAtNaturalSize(benchmark::State& state) {
  const auto source = viewer::makeMetafilePageSource();
  PageFiles& files = pageFiles();
  size_t i = 0;
  for (auto _ : state) {
    QString error;
    const auto page = source->load(files.paths[i++ % files.paths.size()], error);
    if (!page) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
    drawAtNaturalSize(*page);
  }
  state.counters["page_bytes"] = static_cast<double>(files.size);
}
BENCHMARK(BM_NextPageAtNaturalSize)->Unit(benchmark::kMillisecond);

// A page whose glyphs nobody drew before: every run sets its text a hair
// larger, so the text engine finds none of its glyphs in its caches, as
// when the next page brings characters of its own.
void BM_NextPageWithFreshGlyphs(benchmark::State& state) {
  const auto source = viewer::makeMetafilePageSource();
  QTemporaryDir dir;
  const QString path = dir.filePath("0001.emf");
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    writeFile(path, densePage(run * 311 % 2900, 300 + run));
    ++run;
    state.ResumeTiming();
    QString error;
    const auto page = source->load(path, error);
    if (!page) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
    drawAtNaturalSize(*page);
  }
}
BENCHMARK(BM_NextPageWithFreshGlyphs)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same through the page display widget: the page set on it and the
// widget painted once, with the picture it keeps for scrolling.
void BM_NextPageInTheDisplay(benchmark::State& state) {
  const auto source = viewer::makeMetafilePageSource();
  PageFiles& files = pageFiles();
  viewer::PageDisplay display;
  QImage screen(794, 1123, QImage::Format_ARGB32_Premultiplied);
  size_t i = 0;
  for (auto _ : state) {
    QString error;
    auto page = source->load(files.paths[i++ % files.paths.size()], error);
    if (!page) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
    display.resize(page->naturalSize(15, 15));
    display.setPicture(std::move(page));
    display.render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
  }
}
BENCHMARK(BM_NextPageInTheDisplay)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
