#include "renderer/drawing/character_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/base/cp932.h"
#include "platform/base/paths.h"

namespace kumi::renderer::drawing {
namespace {

using platform::BkMode;
using platform::ColorRef;
using platform::DeviceContext;
using platform::ObjectHandle;
using platform::rgb;

constexpr size_t kFaceCompareBytes = 40;
constexpr ColorRef kShadowColour = rgb(191, 191, 191);
// An outline colour of "none" is stored as 999 in each component; used as
// bytes that is 999 mod 256.
constexpr ColorRef kNoOutlineColour = rgb(231, 231, 231);

int32_t truncToI32(double v) {
  if (!(v > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (!(v < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// The second family's codes drawn as the first family's: V (horizontal) as
// upright Y, W (upright in a column) as the vertical face turned upright like
// T. Drawn literally, at escapement 2700 their glyphs would stand upside down
// a cell above their place.
char drawnDirection(char direction) {
  if (direction == 'V') return 'Y';
  if (direction == 'W') return 'T';
  return direction;
}

// The face as drawn: vertical faces take one "@" in front.
std::string drawnFace(std::string face, char direction) {
  if (direction != 'Y' && face.front() != '@') face.insert(face.begin(), '@');
  return face;
}

std::string textOf(const pagefile::CharacterRecord& r, const CharacterStyle& style) {
  if (r.cls == 'A' && !style.doubleByteForm) return std::string(1, static_cast<char>(r.singleByte));
  return {static_cast<char>(r.code[0]), static_cast<char>(r.code[1])};
}

// A solid pen and brush for the outline effects, created, then released.
struct PenAndBrush {
  ObjectHandle pen;
  ObjectHandle brush;
};

PenAndBrush makeSolid(DeviceContext& dc, ColorRef colour) {
  return {dc.createPen({platform::PenStyle::Solid, 1, colour}),
          dc.createBrush({platform::BrushStyle::Solid, colour, {}})};
}

}  // namespace

bool FontKey::operator==(const FontKey& o) const {
  return italic == o.italic && weight == o.weight && escapement == o.escapement &&
         height == o.height && width == o.width && widthScale == o.widthScale &&
         heightScale == o.heightScale &&
         std::string_view(face).substr(0, kFaceCompareBytes) ==
             std::string_view(o.face).substr(0, kFaceCompareBytes);
}

int32_t toLogical(int64_t engineUnits, int32_t pageScale) {
  // Held where a point can still be negated (y upwards) and moved by the
  // shadow's millimetre without overflowing.
  constexpr int64_t kLimit = std::numeric_limits<int32_t>::max() - 1024;
  const int64_t v = engineUnits * pageScale / 16;
  return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

std::string imageFillPath() {
  return platform::utf8ToCp932Lossy(platform::currentDirectory()) +
         platform::utf8ToCp932Lossy("雲.bmp");
}

platform::LogFont fontFor(const FontKey& key, const PageUnits& units) {
  const double divisor = units.sizeDivisor != 0 ? units.sizeDivisor : 1;
  platform::LogFont f;
  // The order of the operations is part of the result: each step rounds.
  f.height = truncToI32(key.height * key.heightScale / divisor * units.fontCorrection);
  f.width = truncToI32(key.widthScale * key.width / divisor * units.fontCorrection);
  f.escapement = key.escapement;
  f.orientation = key.escapement;
  f.weight = key.weight;
  f.italic = key.italic;
  f.charSet = platform::CharSet::Default;
  f.quality = platform::FontQuality::Proof;
  f.faceName = platform::cp932ToUtf8Lossy(key.face);
  return f;
}

// A turned face ('T') is drawn at escapement 900, and that is the value
// the cache keeps and compares: comparing the 2700 of the other vertical
// directions against it would make a font for every turned character.
void CharacterDrawer::selectFont(const FontKey& key, const CharacterContext& ctx) {
  if (cached_ && cached_->key == key) return;
  DeviceContext& dc = ctx.dc;
  const ObjectHandle font = dc.createFont(fontFor(key, ctx.units));
  if (!font) return;  // the device is out of objects: keep drawing with the old font
  ++fontsCreated_;
  dc.selectObject(font);
  // Released after the new one is selected: a selected font cannot go.
  if (cached_) dc.deleteObject(cached_->handle);
  cached_ = Cached{key, font};
}

void CharacterDrawer::draw(const pagefile::CharacterRecord& r, const CharacterContext& ctx) {
  DeviceContext& dc = ctx.dc;
  const PageUnits& u = ctx.units;
  dc.setBkMode(BkMode::Transparent);
  const CharacterStyle style = styleOfCode(r.style);
  const ColorRef colour = colourOfNumber(r.colour, ctx.settings);
  dc.setTextColor(colour);

  const CharacterSize size = sizeOfCode(r.sizeCode);
  FontKey key;
  key.italic = style.italic;
  key.weight = style.weight;
  const char direction = drawnDirection(r.direction);
  key.escapement = direction == 'Y' ? 0 : (direction == 'T' ? 900 : 2700);
  key.height = size.height;
  key.width = size.height / 2;
  key.widthScale = scaleOfCode(r.widthScale);
  key.heightScale = scaleOfCode(r.heightScale);
  key.face = drawnFace(faceOfCode(r.fontLetter, direction, ctx.settings), direction);

  // The cell's top-left corner; turned glyphs hang from one em further right.
  const int32_t x = toLogical(direction == 'Y' ? int64_t{r.x} : int64_t{r.x} + size.em, u.pageScale);
  const int32_t y = toLogical(r.y, u.pageScale);
  const platform::Point at{x, -y};
  const std::string text = textOf(r, style);

  selectFont(key, ctx);

  PenAndBrush outline;
  switch (style.effect) {
    case TextEffect::ImageFilled:
      dc.beginPath();
      break;
    case TextEffect::Bordered: {
      dc.beginPath();
      dc.textOut(at, text);
      dc.endPath();
      const int32_t width = truncToI32(ctx.outline.storedWidth * 38.1 / 56.7 * 10);
      const ColorRef penColour = ctx.outline.outlineNone ? kNoOutlineColour : ctx.outline.outlineColor;
      const ObjectHandle pen = dc.createPen({platform::PenStyle::Solid, width, penColour});
      const ObjectHandle old = dc.selectObject(pen);
      dc.strokePath();
      dc.selectObject(old);
      dc.deleteObject(pen);
      dc.abortPath();
      break;
    }
    case TextEffect::Filled:
      dc.beginPath();
      outline = makeSolid(dc, colour);
      dc.setBkMode(BkMode::Opaque);
      break;
    case TextEffect::Hollow:
      dc.beginPath();
      outline = makeSolid(dc, colour);
      break;
    case TextEffect::Shadow:
      dc.setTextColor(kShadowColour);
      dc.textOut({x + u.pageScale, -(y + u.pageScale)}, text);
      dc.setTextColor(colour);
      break;
    case TextEffect::None:
      break;
  }

  dc.textOut(at, text);

  switch (style.effect) {
    case TextEffect::ImageFilled: {
      dc.endPath();
      dc.selectClipPath(platform::RegionMode::Copy);
      const int32_t side = toLogical(size.em, u.pageScale);
      // The picture covers the cell. A turned glyph is output one em right
      // of it but stands inside it; a picture at the output point would lie
      // beside the clip and the character would vanish.
      const int32_t cellX = toLogical(r.x, u.pageScale);
      if (ctx.imageFill != nullptr) {
        ctx.imageFill->drawImageFill(dc, imageFillPath(), cellX, y, side, side);
      }
      dc.resetClip();
      dc.abortPath();
      break;
    }
    case TextEffect::Filled: {
      dc.endPath();
      const ObjectHandle oldBrush = dc.selectObject(outline.brush);
      const ObjectHandle oldPen = dc.selectObject(outline.pen);
      dc.strokeAndFillPath();
      dc.selectObject(oldBrush);
      dc.selectObject(oldPen);
      dc.deleteObject(outline.brush);
      dc.deleteObject(outline.pen);
      dc.abortPath();
      break;
    }
    case TextEffect::Hollow: {
      dc.endPath();
      const ObjectHandle oldPen = dc.selectObject(outline.pen);
      dc.strokePath();
      dc.selectObject(oldPen);
      dc.deleteObject(outline.pen);
      dc.deleteObject(outline.brush);
      dc.abortPath();
      break;
    }
    default:
      break;
  }
}

}  // namespace kumi::renderer::drawing
