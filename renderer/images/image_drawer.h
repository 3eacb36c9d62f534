#pragma once
// Images: the G3, G1 and G2 records of sk.dat drawn into the open page.
//
// G3 names the file (relative to the data directory), G1 places it and picks
// how it combines with the page, G2 sizes it and draws it. The placement
// outlives pages and records: a G2 alone draws the last named image at the
// last position again.
//
// Bitmap files are stretched onto the page as StretchDIBits with the
// drawing mode's raster operation: copy, AND, or a mask pair (the named
// bitmap ANDed, then its partner "<stem>m.bmp" XORed, leaving XOR as the mode
// until the next G1). A bitmap that would cross the sheet's right or bottom
// edge is squeezed to end there; one wholly past it is not drawn. Mask-pair
// files are listed so that a batch run can delete them at its end. Enhanced and Windows metafiles are played into
// the placement's rectangle.
//
// The type is read from the file name's own extension, so a data directory
// whose name holds a "." does not decide it. A missing file draws nothing
// and says nothing; an image of a kind kumi does not draw (another
// extension, a bitmap it cannot read) says so in a message box with the
// path as caption and the run goes on.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/pagefile/page_record.h"
#include "platform/emf/device_context.h"
#include "renderer/settings/render_settings.h"

namespace kumi::renderer::images {

// The page as images see it.
struct ImagePage {
  int32_t pageScale = 100;  // logical units a millimetre: 100, or 10 on a large page
  int32_t pw = 0;           // sheet width, 0.01 mm
  int32_t ph = 0;           // sheet height, 0.01 mm
};

struct ImageContext {
  platform::DeviceContext& dc;
  ImagePage page;
  const settings::RenderSettings& settings;  // DataDir, TwipsPerPixel
};

enum class DrawMode { Copy = 0, And = 1, MaskPair = 2, Xor = 3 };

// Where and how the next image is drawn; logical units, y downwards as in
// the records (negated when drawn). A Windows metafile is placed in device
// pixels worked out on the way, never stored here, so the placement means
// the same whatever was drawn before.
struct ImagePlacement {
  std::string path;  // CP932, DataDir + the G3 name
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  DrawMode mode = DrawMode::Copy;
  // A mask-pair file may be deleted after a batch run only when it is the
  // page's own image named inside the data directory (no folder in its name).
  bool deletable = false;
};

// True for an image name (from a G3 record, CP932) that names a file in the
// data directory itself: no separator outside two-byte characters, not "." or "..".
bool namesFileInDataDir(std::string_view name);

enum class ImageType { None, WindowsMetafile, EnhancedMetafile, Bitmap, Unsupported };

// The type by the first character after the first "." of the path's last
// component; None when that name has no ".".
ImageType imageTypeOf(const std::string& path);
// The partner of a mask-pair bitmap: the path up to the first "." of its
// file name, then "m.bmp".
std::string maskPartnerOf(const std::string& path);

// Files listed for deletion at most: a hostile page file cannot grow the
// list without end.
constexpr size_t kMaskPairListMax = 50;
// "必要なメモリが確保できません。" is shown past this file size.
constexpr uint64_t kMaxImageFileBytes = uint64_t{1} << 30;

class ImageDrawer {
 public:
  void name(const pagefile::RecordBytes& g3, const ImageContext& ctx);   // G3
  void place(const pagefile::RecordBytes& g1, const ImageContext& ctx);  // G1
  void size(const pagefile::RecordBytes& g2, const ImageContext& ctx);   // G2: draws

  const ImagePlacement& placement() const { return placement_; }
  // Draws the current placement into the page.
  void drawCurrent(const ImageContext& ctx);
  // The image-filled text effect: makes `path` the current image at (x, y),
  // width × height (logical units, y downwards) and draws it as a bitmap in
  // the mode of the last G1.
  void drawBitmapAt(const ImageContext& ctx, const std::string& path, int32_t x, int32_t y,
                    int32_t width, int32_t height);

  const std::vector<std::string>& maskPairList() const { return maskPairs_; }
  // Deletes every listed file (the end of a batch run) and empties the list.
  void deleteMaskPairFiles();

 private:
  void drawBitmapImage(const ImageContext& ctx);  // with its mask-pair partner
  void drawBitmap(const ImageContext& ctx);
  void drawEnhanced(const ImageContext& ctx);
  void drawWindows(const ImageContext& ctx);
  void listMaskPair(const std::string& path);

  ImagePlacement placement_;
  std::vector<std::string> maskPairs_;
};

}  // namespace kumi::renderer::images
