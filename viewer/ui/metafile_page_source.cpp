// The page files as Enhanced Metafiles, played through the platform's player.
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <cmath>
#include <span>

#include "platform/player/player.h"
#include "viewer/ui/page_source.h"

namespace kumi::viewer {
namespace {

namespace player = platform::player;

// A page file larger than this is refused before it is read: the densest
// page the renderer writes stays far below it.
constexpr qint64 kMaxPageFileBytes = qint64{256} << 20;

std::span<const uint8_t> span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

class MetafilePicture final : public PagePicture {
 public:
  MetafilePicture(QByteArray bytes, QSizeF frameMm) : bytes_(std::move(bytes)), frameMm_(frameMm) {}

  QSize naturalSize(int twipsPerPixelX, int twipsPerPixelY) const override {
    // Millimetres to twips (1440 an inch of 25.4 mm), then to whole pixels.
    auto pixels = [](double mm, int twipsPerPixel) {
      return static_cast<int>(std::lround(mm * 1440 / 25.4 / std::max(1, twipsPerPixel)));
    };
    return QSize(pixels(frameMm_.width(), twipsPerPixelX), pixels(frameMm_.height(), twipsPerPixelY));
  }

  void paint(QPainter& painter, const QRectF& target) const override {
    if (target.isEmpty()) return;
    player::paintEmf(painter, span(bytes_), target);
  }

  const QByteArray& fileBytes() const override { return bytes_; }

 private:
  QByteArray bytes_;
  QSizeF frameMm_;
};

class MetafilePageSource final : public PageSource {
 public:
  std::shared_ptr<const PagePicture> load(const QString& path, QString& error) const override {
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
      error = QString::fromUtf8(kPageFileMissing);
      return nullptr;
    }
    if (!file.open(QIODevice::ReadOnly)) {
      error = file.errorString();
      return nullptr;
    }
    if (file.size() > kMaxPageFileBytes) {
      error = QString::fromUtf8(kPageFileInvalid);
      return nullptr;
    }
    QByteArray bytes = file.readAll();
    const auto frameMm = player::emfSizeMm(span(bytes));
    if (!frameMm) {
      error = QString::fromUtf8(kPageFileInvalid);
      return nullptr;
    }
    return std::make_shared<MetafilePicture>(std::move(bytes), *frameMm);
  }
};

}  // namespace

std::unique_ptr<PageSource> makeMetafilePageSource() { return std::make_unique<MetafilePageSource>(); }

}  // namespace kumi::viewer
