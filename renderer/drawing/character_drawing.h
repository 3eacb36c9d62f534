#pragma once
// Character drawing: one character record of sk.dat into the open page.
//
// The engine has placed every glyph; this draws it: the face (a FontFaces
// entry or a built-in face, "@" vertical unless the direction is 'Y'), the
// size and its width and height scales, the colour, the reference point
// (top-left of the cell; one em to the right for the turned vertical
// glyphs), and the style's italic, weight and effect (hollow, filled,
// shadow, bordered, image-filled).
//
// The font is cached per page: a new font is created only when one of the
// values it is made from changes (italic, weight, escapement, height, width,
// the two scales, the face's first 40 bytes), so a run of characters of one
// face and size uses one font object. Opening a page empties the cache.
//
// Nothing here knows the settings files or the rules and images parts: they
// come in as plain values (CharacterSettings, RuleOutline) and a painter
// for the image-filled effect.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/pagefile/page_record.h"
#include "platform/emf/device_context.h"
#include "renderer/drawing/character_tables.h"

namespace kumi::renderer::drawing {

// The page's units: PageScale logical units a millimetre, the size divisor
// and the font correction (1 and 1.0 on a standard page, 10 and 1.03 on a
// large one).
struct PageUnits {
  int32_t pageScale = 100;
  int32_t sizeDivisor = 1;
  double fontCorrection = 1.0;
};

// What the bordered effect borrows from the rules' state: the stored rule
// width RW (×10 on a standard page) and the outline colour, which may be
// "none". Before any rule attribute record: width 0, black.
struct RuleOutline {
  int32_t storedWidth = 0;
  bool outlineNone = false;
  platform::ColorRef outlineColor = platform::rgb(0, 0, 0);
};

// Draws the current image as the images part draws a bitmap (in the mode of
// the last image position record) and makes it the current image, placed at
// (x, y) in logical units, y downwards, width × height. path is CP932.
class ImageFillPainter {
 public:
  virtual ~ImageFillPainter() = default;
  virtual void drawImageFill(platform::DeviceContext& dc, const std::string& path, int32_t x,
                             int32_t y, int32_t width, int32_t height) = 0;
};

struct CharacterContext {
  platform::DeviceContext& dc;
  PageUnits units;
  const CharacterSettings& settings;
  const RuleOutline& outline;
  ImageFillPainter* imageFill = nullptr;  // none: the image-filled effect clips and draws nothing
};

// The image the image-filled effect draws: "雲.bmp" in the current
// directory, in CP932 like every image path of the page file.
std::string imageFillPath();

// The values a font was made from. Faces compare by their first 40 bytes.
struct FontKey {
  bool italic = false;
  int32_t weight = 0;
  int32_t escapement = 0;
  double height = 0;  // H, 0.01 mm
  double width = 0;   // H / 2
  double widthScale = 1.0;
  double heightScale = 1.0;
  std::string face;  // CP932
  // Equal when every value is, the faces in their first 40 bytes.
  bool operator==(const FontKey& other) const;
};

// The LOGFONT a key gives on a page: height trunc(H × height scale / divisor
// × correction), width trunc(width scale × H/2 / divisor × correction).
platform::LogFont fontFor(const FontKey& key, const PageUnits& units);

// ToLogical: engine units to logical units, truncated toward zero; values
// far off any sheet stay 1024 units inside the 32-bit range.
int32_t toLogical(int64_t engineUnits, int32_t pageScale);

class CharacterDrawer {
 public:
  // A new page: its metafile has no font of ours yet.
  void pageOpened() { cached_.reset(); }
  void draw(const pagefile::CharacterRecord& record, const CharacterContext& ctx);

  // Fonts created since the drawer was made (for tests and benchmarks).
  int fontsCreated() const { return fontsCreated_; }

 private:
  struct Cached {
    FontKey key;
    platform::ObjectHandle handle;
  };
  void selectFont(const FontKey& key, const CharacterContext& ctx);

  std::optional<Cached> cached_;
  int fontsCreated_ = 0;
};

}  // namespace kumi::renderer::drawing
