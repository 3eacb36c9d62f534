#include "renderer/platemaker/page_drawing.h"

#include "renderer/platemaker/run_mode.h"

namespace kumi::renderer {
namespace {

shapes::ShapeContext shapeContext(const DrawingContext& ctx) {
  const PageGeometry& g = ctx.geometry;
  return {ctx.dc,
          {g.pageScale, g.sizeDivisor, g.pw, g.ph, g.ox, g.oy, ctx.runMode == kBatchMode},
          ctx.settings};
}

images::ImageContext imageContext(const DrawingContext& ctx) {
  return {ctx.dc, {ctx.geometry.pageScale, ctx.geometry.pw, ctx.geometry.ph}, ctx.settings};
}

// The image-filled text effect draws through the images part, which keeps
// the image it draws as the current one.
class ImageFill final : public drawing::ImageFillPainter {
 public:
  ImageFill(images::ImageDrawer& images, const images::ImageContext& ctx)
      : images_(images), ctx_(ctx) {}
  void drawImageFill(platform::DeviceContext&, const std::string& path, int32_t x, int32_t y,
                     int32_t width, int32_t height) override {
    images_.drawBitmapAt(ctx_, path, x, y, width, height);
  }

 private:
  images::ImageDrawer& images_;
  const images::ImageContext& ctx_;
};

}  // namespace

PageDrawing::PageDrawing() = default;
PageDrawing::~PageDrawing() = default;

const drawing::CharacterSettings& PageDrawing::characterSettings(
    const settings::RenderSettings& s) {
  if (!characterSettings_) {
    drawing::CharacterSettings c;
    c.fontFaces = s.fontFaces;
    for (size_t i = 0; i < c.userColors.size(); ++i) {
      c.userColors[i] = platform::rgb(s.userColors[i].red, s.userColors[i].green,
                                      s.userColors[i].blue);
    }
    characterSettings_ = std::move(c);
  }
  return *characterSettings_;
}

void PageDrawing::pageOpened(const DrawingContext&) {
  characters_.pageOpened();
  shapes_.pageOpened();
}

void PageDrawing::character(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  const drawing::PageUnits units{ctx.geometry.pageScale, ctx.geometry.sizeDivisor,
                                 ctx.geometry.fontCorrection};
  const shapes::RuleState& rules = shapes_.state();
  const drawing::RuleOutline outline{rules.storedWidth, !rules.outlineColour.has_value(),
                                     rules.outlineColour.value_or(shapes::kBlack)};
  const images::ImageContext imageCtx = imageContext(ctx);
  ImageFill imageFill(images_, imageCtx);
  const drawing::CharacterContext cc{ctx.dc, units, characterSettings(ctx.settings), outline,
                                     &imageFill};
  characters_.draw(pagefile::decodeCharacter(r), cc);
}

void PageDrawing::ruleAttributes(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  shapes_.attributes(r, shapeContext(ctx));
}

void PageDrawing::shape(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  shapes_.draw(r, shapeContext(ctx));
}

void PageDrawing::imagePlace(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  images_.place(r, imageContext(ctx));
}
void PageDrawing::imageSize(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  images_.size(r, imageContext(ctx));
}
void PageDrawing::imageName(const pagefile::RecordBytes& r, const DrawingContext& ctx) {
  images_.name(r, imageContext(ctx));
}

void PageDrawing::runEnded(char runMode) {
  if (runMode == kBatchMode) images_.deleteMaskPairFiles();
}

}  // namespace kumi::renderer
