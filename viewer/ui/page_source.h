#pragma once
// Where the preview gets its pages: a page file loaded once, then painted
// into any rectangle as often as the display needs it.
//
// The one implementation plays the Enhanced Metafile through the platform's
// player; tests give the windows pages of their own through the same
// interface. A page's natural size is its frame (0.01 mm) at the screen's
// resolution, in whole pixels, as a picture box sizes itself to a picture.
#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

namespace kumi::viewer {

class PagePicture {
 public:
  virtual ~PagePicture() = default;
  // The frame in pixels at `twipsPerPixelX` / `twipsPerPixelY`.
  virtual QSize naturalSize(int twipsPerPixelX, int twipsPerPixelY) const = 0;
  // Paints the whole page scaled into `target`.
  virtual void paint(QPainter& painter, const QRectF& target) const = 0;
  // The page file as loaded, for the clipboard.
  virtual const QByteArray& fileBytes() const = 0;
};

class PageSource {
 public:
  virtual ~PageSource() = default;
  // The page file at the native `path`; nullptr with the system's
  // description in `error` when it is missing or is no page picture.
  virtual std::shared_ptr<const PagePicture> load(const QString& path, QString& error) const = 0;
};

// The page files as the renderer writes them: Enhanced Metafiles.
std::unique_ptr<PageSource> makeMetafilePageSource();

// The descriptions of a page file that cannot be shown.
inline constexpr const char* kPageFileMissing = "ファイルが見つかりません。";
inline constexpr const char* kPageFileInvalid = "ピクチャが不正です。";

}  // namespace kumi::viewer
