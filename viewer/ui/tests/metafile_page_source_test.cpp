#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "platform/emf/emf_writer.h"
#include "viewer/ui/page_source.h"
#include "viewer/ui/tests/ui_test_support.h"

namespace kumi::viewer {
namespace {

using testing::ScratchDir;

// An A4 page (frame 210 x 297 mm) with a black square 100 mm from its top
// left corner, 20 mm a side.
std::vector<uint8_t> a4PageWithSquare() {
  const platform::ReferenceDevice printer{4760, 6814, 201, 288, 0, 0};
  platform::EmfWriter w(printer, {0, 0, 21000, 29700}, "page");
  w.setMapMode(platform::MapMode::HiMetric);
  w.selectObject(platform::stockObject(platform::StockObject::BlackBrush));
  w.rectangle({10000, -10000, 12000, -12000});
  return w.finish();
}

void write(const std::string& path, const std::vector<uint8_t>& bytes) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

TEST(MetafilePageSource, SizesThePageByItsFrameAndPaintsIt) {
  ScratchDir dir("metafile_source");
  const auto bytes = a4PageWithSquare();
  write(dir.folder() + "0001.emf", bytes);
  QString error;
  const auto page = makeMetafilePageSource()->load(QString::fromStdString(dir.folder() + "0001.emf"), error);
  ASSERT_NE(page, nullptr) << error.toStdString();
  // 210 mm at 96 dots an inch is 793.7 pixels; 297 mm is 1122.5.
  EXPECT_EQ(page->naturalSize(15, 15), QSize(794, 1123));
  EXPECT_EQ(page->naturalSize(12, 12), QSize(992, 1403));
  EXPECT_EQ(page->fileBytes().size(), static_cast<qsizetype>(bytes.size()));

  // Drawn at half size, the square's middle (110 mm) lands at 55 mm.
  QImage image(397, 561, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  page->paint(painter, QRectF(image.rect()));
  painter.end();
  const int middle = static_cast<int>(110.0 / 210 * 397);
  EXPECT_EQ(image.pixelColor(middle, static_cast<int>(110.0 / 297 * 561)), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(middle / 2, middle / 2), QColor(Qt::white));
}

TEST(MetafilePageSource, ReportsMissingAndMalformedFiles) {
  ScratchDir dir("metafile_source_bad");
  auto bytes = a4PageWithSquare();
  write(dir.folder() + "short.emf", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 60));
  dir.write("text.emf", "not a metafile at all");
  dir.write("empty.emf", "");
  const auto source = makeMetafilePageSource();
  struct Case { const char* name; const char* why; };
  for (const Case& c : {Case{"none.emf", kPageFileMissing}, Case{"short.emf", kPageFileInvalid},
                        Case{"text.emf", kPageFileInvalid}, Case{"empty.emf", kPageFileInvalid}}) {
    QString error;
    EXPECT_EQ(source->load(QString::fromStdString(dir.folder() + c.name), error), nullptr) << c.name;
    EXPECT_EQ(error.toStdString(), c.why) << c.name;
  }
  QString error;
  EXPECT_EQ(source->load(QString::fromStdString(dir.folder()), error), nullptr);
  EXPECT_EQ(error.toStdString(), kPageFileMissing);
}

}  // namespace
}  // namespace kumi::viewer
