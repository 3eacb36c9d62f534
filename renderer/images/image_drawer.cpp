#include "renderer/images/image_drawer.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <new>

#include "platform/base/cp932.h"
#include "platform/base/message_box.h"
#include "platform/base/paths.h"
#include "platform/emf/byte_io.h"
#include "platform/player/dc_canvas.h"
#include "platform/player/wmf_player.h"
#include "renderer/images/bmp_file.h"

namespace kumi::renderer::images {
namespace {

constexpr const char* kUnsupportedText = "この種類の画像は処理の対象外です。";
constexpr const char* kNoMemoryText = "必要なメモリが確保できません。";

int32_t clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Engine units (1/16 mm) to the page's logical units, truncated.
int32_t toLogical(int32_t engineUnits, const ImagePage& page) {
  return clamp32(int64_t{engineUnits} * page.pageScale / 16);
}

// a × b / c rounded half away from zero, as MulDiv; -1 when c is 0.
int32_t mulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return -1;
  const int64_t n = a * b;
  const int64_t q = (n >= 0) == (c > 0) ? (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c)
                                        : -((std::llabs(n) + std::llabs(c) / 2) / std::llabs(c));
  return clamp32(q);
}

// Where the last component of a CP932 path starts: a trail byte 0x5C of a
// double-byte character is no separator.
size_t fileNameStart(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto b = static_cast<uint8_t>(path[i]);
    if (platform::isCp932LeadByte(b)) {
      ++i;
    } else if (b == '\\' || b == '/') {
      start = i + 1;
    }
  }
  return start;
}

// The first "." of the file name, npos when it has none.
size_t extensionDot(const std::string& path) {
  for (size_t i = fileNameStart(path); i < path.size(); ++i) {
    const auto b = static_cast<uint8_t>(path[i]);
    if (platform::isCp932LeadByte(b)) {
      ++i;
    } else if (b == '.') {
      return i;
    }
  }
  return std::string::npos;
}

std::string captionOf(const std::string& path) { return platform::cp932ToUtf8Lossy(path); }

enum class ReadResult { Ok, Missing, TooLarge };

ReadResult readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  const std::string openable = platform::openablePath(path);
  // A name may point at a pipe or a device: opening one would wait for a
  // writer that never comes, so only plain files are pictures.
  if (!platform::fileExists(openable)) return ReadResult::Missing;
  std::ifstream in(openable, std::ios::binary);
  if (!in) return ReadResult::Missing;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return ReadResult::Missing;
  if (static_cast<uint64_t>(size) > kMaxImageFileBytes) return ReadResult::TooLarge;
  in.seekg(0, std::ios::beg);
  try {
    out.assign(static_cast<size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    return ReadResult::TooLarge;
  }
  in.read(reinterpret_cast<char*>(out.data()), size);
  out.resize(static_cast<size_t>(in.gcount()));
  return ReadResult::Ok;
}

uint32_t rasterOpOf(DrawMode mode) {
  switch (mode) {
    case DrawMode::Copy: return platform::RasterOp::SrcCopy;
    case DrawMode::And:
    case DrawMode::MaskPair: return platform::RasterOp::SrcAnd;
    case DrawMode::Xor: return platform::RasterOp::SrcInvert;
  }
  return platform::RasterOp::SrcCopy;
}

// A bitmap's natural size on the page: its pixels as the screen shows them
// (TwipsPerPixel), in the page's logical units, each step truncating.
int32_t naturalExtent(int32_t pixels, const ImageContext& ctx) {
  const int64_t tpp = ctx.settings.twipsPerPixel;
  return clamp32((int64_t{pixels} * tpp) / 20 * 3514 / 10000 * ctx.page.pageScale);
}

platform::MapMode pageMapMode(const ImagePage& page) {
  return page.pageScale == 10 ? platform::MapMode::LoMetric : platform::MapMode::HiMetric;
}

}  // namespace

ImageType imageTypeOf(const std::string& path) {
  const size_t dot = extensionDot(path);
  if (dot == std::string::npos) return ImageType::None;
  switch (dot + 1 < path.size() ? path[dot + 1] : '\0') {
    case 'W': case 'w': return ImageType::WindowsMetafile;
    case 'E': case 'e': return ImageType::EnhancedMetafile;
    case 'B': case 'b': case 'D': case 'd': return ImageType::Bitmap;
    default: return ImageType::Unsupported;
  }
}

std::string maskPartnerOf(const std::string& path) {
  const size_t dot = extensionDot(path);
  return path.substr(0, dot) + "m.bmp";
}

bool namesFileInDataDir(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto b = static_cast<uint8_t>(name[i]);
    if (b == '/' || b == '\\') return false;
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ++i;
  }
  return true;
}

void ImageDrawer::name(const pagefile::RecordBytes& g3, const ImageContext& ctx) {
  const std::string name = pagefile::imageFileName(pagefile::decodeImageName(g3));
  placement_.path = ctx.settings.dataDir + name;
  // sk.dat is untrusted: a name such as "../x.bmp" is drawn but never deleted.
  placement_.deletable = namesFileInDataDir(name);
}

void ImageDrawer::place(const pagefile::RecordBytes& g1, const ImageContext& ctx) {
  const pagefile::ImagePlaceRecord r = pagefile::decodeImagePlace(g1);
  placement_.x = toLogical(r.x, ctx.page);
  placement_.y = toLogical(r.y, ctx.page);
  placement_.mode = r.mode == '1'   ? DrawMode::And
                    : r.mode == '2' ? DrawMode::MaskPair
                                    : DrawMode::Copy;
}

void ImageDrawer::size(const pagefile::RecordBytes& g2, const ImageContext& ctx) {
  const pagefile::ImageSizeRecord r = pagefile::decodeImageSize(g2);
  placement_.width = toLogical(r.width, ctx.page);
  placement_.height = toLogical(r.height, ctx.page);
  drawCurrent(ctx);
}

void ImageDrawer::drawCurrent(const ImageContext& ctx) {
  switch (imageTypeOf(placement_.path)) {
    case ImageType::None: return;
    case ImageType::Unsupported:
      platform::messageBox(kUnsupportedText, captionOf(placement_.path));
      return;
    case ImageType::WindowsMetafile: drawWindows(ctx); return;
    case ImageType::EnhancedMetafile: drawEnhanced(ctx); return;
    case ImageType::Bitmap: drawBitmapImage(ctx); return;
  }
}

void ImageDrawer::drawBitmapAt(const ImageContext& ctx, const std::string& path, int32_t x,
                               int32_t y, int32_t width, int32_t height) {
  placement_.path = path;
  placement_.deletable = false;  // a resource of the program, not a page's image
  placement_.x = x;
  placement_.y = y;
  placement_.width = width;
  placement_.height = height;
  drawBitmapImage(ctx);
}

void ImageDrawer::drawBitmapImage(const ImageContext& ctx) {
  drawBitmap(ctx);
  if (placement_.mode == DrawMode::MaskPair) {
    placement_.mode = DrawMode::Xor;
    placement_.path = maskPartnerOf(placement_.path);
    drawBitmap(ctx);
  }
}

void ImageDrawer::drawBitmap(const ImageContext& ctx) {
  const std::string& path = placement_.path;
  std::vector<uint8_t> file;
  switch (readWholeFile(path, file)) {
    case ReadResult::Missing: return;
    case ReadResult::TooLarge: platform::messageBox(kNoMemoryText, captionOf(path)); return;
    case ReadResult::Ok: break;
  }
  const auto read = readBmp(file);
  if (!std::holds_alternative<BmpView>(read)) {
    platform::messageBox(kUnsupportedText, captionOf(path));
    return;
  }
  const BmpView& bmp = std::get<BmpView>(read);
  platform::DeviceContext& dc = ctx.dc;

  // The colour table as the page's palette, for devices that draw through
  // one; the bits themselves carry RGB colours.
  std::vector<platform::PaletteEntry> entries(bmp.layout.colorCount);
  const platform::ByteView info(bmp.info);
  const size_t table = bmp.layout.infoSize - size_t{bmp.layout.colorCount} * 4;
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i] = {info.u8(table + 4 * i + 2), info.u8(table + 4 * i + 1), info.u8(table + 4 * i), 0};
  }
  const platform::ObjectHandle palette = dc.createPalette(entries);
  if (palette) {
    dc.selectPalette(palette, false);
    dc.realizePalette();
  }

  int64_t width = placement_.width;
  int64_t height = placement_.height;
  if (width == 0 || height == 0) {
    width = naturalExtent(bmp.width(), ctx);
    height = naturalExtent(bmp.height(), ctx);
  }
  // Nothing runs off the sheet: the sheet's size in the page's own units
  // (on a large page too), and a picture wholly past it is not drawn at all
  // rather than turned over.
  const int64_t pw = int64_t{ctx.page.pw} * ctx.page.pageScale / 100;
  const int64_t ph = int64_t{ctx.page.ph} * ctx.page.pageScale / 100;
  if (placement_.y + height > ph) height = ph - placement_.y;
  if (placement_.x + width > pw) width = pw - placement_.x;
  if (width > 0 && height > 0) {
    const platform::BlitRect dest{placement_.x, clamp32(-int64_t{placement_.y}), clamp32(width),
                                  clamp32(-height)};
    const platform::BlitRect source{0, 0, bmp.width(), bmp.height()};
    dc.stretchDIBits(dest, source, bmp.info, bmp.bits, platform::DibUsage::RgbColors,
                     rasterOpOf(placement_.mode));
  }
  if ((placement_.mode == DrawMode::MaskPair || placement_.mode == DrawMode::Xor) &&
      placement_.deletable) {
    listMaskPair(path);
  }

  if (palette) {
    dc.selectPalette(platform::stockObject(platform::StockObject::DefaultPalette), false);
    dc.deleteObject(palette);
  }
}

void ImageDrawer::drawEnhanced(const ImageContext& ctx) {
  std::vector<uint8_t> file;
  switch (readWholeFile(placement_.path, file)) {
    case ReadResult::Missing: return;
    case ReadResult::TooLarge:
      platform::messageBox(kNoMemoryText, captionOf(placement_.path));
      return;
    case ReadResult::Ok: break;
  }
  ctx.dc.setMapMode(pageMapMode(ctx.page));
  const int64_t x = placement_.x, y = placement_.y;
  const platform::Rect box{placement_.x, clamp32(-y), clamp32(x + placement_.width),
                           clamp32(-(y + placement_.height))};
  platform::player::playEmfInto(file, ctx.dc, box);
}

void ImageDrawer::drawWindows(const ImageContext& ctx) {
  std::vector<uint8_t> file;
  switch (readWholeFile(placement_.path, file)) {
    case ReadResult::Missing: return;
    case ReadResult::TooLarge:
      platform::messageBox(kNoMemoryText, captionOf(placement_.path));
      return;
    case ReadResult::Ok: break;
  }
  // The placeable header (key 0x9AC6CDD7) is skipped; the picture's own
  // window settings map it onto the viewport set below.
  constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
  constexpr size_t kPlaceableSize = 22;
  std::span<const uint8_t> wmf(file);
  if (platform::ByteView(wmf).u32(0) == kPlaceableKey && wmf.size() >= kPlaceableSize) {
    wmf = wmf.subspan(kPlaceableSize);
  }
  // The viewport is in device pixels of the reference printer.
  platform::DeviceContext& dc = ctx.dc;
  const platform::ReferenceDevice& ref = dc.referenceDevice();
  const int64_t sx = int64_t{ctx.page.pageScale} * ref.horzSize;
  const int64_t sy = int64_t{ctx.page.pageScale} * ref.vertSize;
  const int32_t x = mulDiv(placement_.x, ref.horzRes, sx);
  const int32_t w = mulDiv(placement_.width, ref.horzRes, sx);
  const int32_t y = mulDiv(placement_.y, ref.vertRes, sy);
  const int32_t h = mulDiv(placement_.height, ref.vertRes, sy);
  // The picture's objects and settings stay inside it.
  dc.saveDC();
  dc.setMapMode(platform::MapMode::Anisotropic);
  dc.setViewportOrg({x, y});
  dc.setViewportExt({w, h});
  platform::player::playWmf(wmf, dc);
  dc.restoreDC(-1);
  dc.setViewportOrg({0, 0});
  dc.setMapMode(pageMapMode(ctx.page));
}

void ImageDrawer::listMaskPair(const std::string& path) {
  if (maskPairs_.size() >= kMaskPairListMax) return;
  if (std::find(maskPairs_.begin(), maskPairs_.end(), path) != maskPairs_.end()) return;
  maskPairs_.push_back(path);
}

void ImageDrawer::deleteMaskPairFiles() {
  for (const std::string& path : maskPairs_) platform::deleteFile(platform::openablePath(path));
  maskPairs_.clear();
}

}  // namespace kumi::renderer::images
